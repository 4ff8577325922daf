// A site project's two menus side by side on pages in every folder, in headless Chromium and Firefox.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { makeSite, menuLinks, sitePages } from './site_fixture.mjs';

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-site-'));
after(() => fs.rmSync(work, { recursive: true, force: true }));// A page's own link and table cell; the script menu; the static fragment pasted, links site-relative.
const site = makeSite(work, (name, toMenu) => '<!DOCTYPE html><html><head><meta charset="utf-8">'
  + `<link rel="stylesheet" href="${toMenu}Quillnavstyle.css"><script src="${toMenu}Quillnav.js"></script>`
  + `<script src="${toMenu}Quillnavcurrent.js" defer></script></head><body><a id="own" href="#top">own</a><table>`
  + '<tr><td id="cell">cell</td></tr></table><script>initializeDocument()</script>' + fs.readFileSync(
    path.join(work, 'site/docs/nav/Quillnav.html'), 'utf8').replace(/<nav class="quillnav"(?![^>]*data-site-links)/, '$& data-site-links'));
// Both menus' links (script menu opened) and entries marked current; the page's and the menu's colours.
const shown = () => {
  for (const entry of indexOfEntries) if (entry.children && !entry.isOpen) clickOnNode(entry.id);
  const all = (selector, value) => [...document.querySelectorAll(selector)].map(value);
  return [all('#quillnavTree td:last-child a:not([href="#"])', (a) => a.href), all('.currentPage', (e) => e.textContent),
    all('nav.quillnav a:not(.quillnav-icon)', (a) => a.href), all('nav.quillnav [aria-current]', (e) => e.textContent),
    ['body', '#own', '#cell', '#quillnavTree', '#quillnavTree td:last-child a', '#quillnavTree td']
      .map((selector, i) => getComputedStyle(document.querySelector(selector))[i % 3 ? 'color' : 'backgroundColor'])];
};

for (const [name, launch] of Object.entries({
  chromium: () => chromium.launchPersistentContext(path.join(work, 'c'), { executablePath: process.env.QUILLMAP_CHROMIUM }),
  firefox: () => puppeteer.launch({ browser: 'firefox', executablePath: process.env.QUILLMAP_FIREFOX, userDataDir: path.join(work, 'f') }),
})) {
  test(`${name}: on a page in any folder each menu link opens its page, the page's own entry alone is current, and `
    + 'the stylesheet styles the menu alone', async () => {
    const browser = await launch();
    for (const page of sitePages) {
      const tab = await browser.newPage();
      await tab.goto(pathToFileURL(path.join(site, page)).href, { waitUntil: 'load' });
      const [scriptLinks, scriptCurrent, staticLinks, staticCurrent, colours] = await tab.evaluate(shown);
      await tab.close();
      for (const found of [scriptLinks, staticLinks])
        assert.deepEqual(found.map((a) => (a.startsWith('file:') ? path.relative(site, fileURLToPath(a)) : a)), menuLinks, page);
      for (const found of [scriptCurrent, staticCurrent]) assert.deepEqual(found, [page], `current on ${page}`);
      assert.deepEqual(colours, ['rgba(0, 0, 0, 0)', 'rgb(0, 0, 238)', 'rgb(0, 0, 0)', 'rgb(255, 255, 204)',
        'rgb(0, 128, 0)', 'rgb(128, 0, 0)'], `colours on ${page}`);
    }
    await browser.close();
  });
}
