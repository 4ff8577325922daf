// A site project's menus on pages in every folder of the site, in headless Chromium and Firefox.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { makeSite, sitePages } from './site_fixture.mjs';

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-site-'));
const browsers = {};
const page = (name, head, body) => `<!DOCTYPE html><html><head><meta charset="utf-8"><title>${name}</title>${head}</head>`
  + `<body><a id="own" href="#top">own link</a><table><tr><td id="cell">cell</td></tr></table>${body}</body></html>`;
// The static menu's fragment pasted as it is, marked as holding links relative to the site.
const sites = {
  script: makeSite(path.join(work, 'script'), (name, { toMenu }) => page(name, `<link rel="stylesheet" href="${toMenu}`
    + `Quillnavstyle.css"><script src="${toMenu}Quillnav.js"></script>`, '<script>initializeDocument()</script>')),
  static: makeSite(path.join(work, 'static'), (name, { toMenu, menu }) => page(name, `<script src="${toMenu}`
    + 'Quillnavcurrent.js" defer></script>', fs.readFileSync(path.join(menu, 'Quillnav.html'), 'utf8')
    .replace(/<nav class="quillnav"(?![^>]*data-site-links)/, '<nav class="quillnav" data-site-links'))),
};

before(async () => {
  browsers.chromium = await chromium.launchPersistentContext(path.join(work, 'profile'), { headless: true,
    executablePath: process.env.QUILLMAP_CHROMIUM, args: ['--headless', '--no-sandbox', '--disable-gpu'] });
  browsers.firefox = await puppeteer.launch({ browser: 'firefox', headless: true,
    executablePath: process.env.QUILLMAP_FIREFOX, userDataDir: path.join(work, 'firefox-profile') });
});

after(async () => {
  await browsers.chromium?.close();
  await browsers.firefox?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// Runs look(kind) in a site's page after it loaded; no script error may occur.
async function onPage(browser, kind, name, look) {
  const tab = await browsers[browser].newPage();
  const errors = [];
  tab.on('pageerror', (e) => errors.push(e.message));
  await tab.goto(pathToFileURL(path.join(sites[kind].site, name)).href, { waitUntil: 'load' });
  const found = await tab.evaluate(look, kind);
  await tab.close();
  assert.deepEqual(errors, [], name);
  return found;
}

// Every folder opened, the links of the menu as the browser resolves them and the entries current.
const menuState = (kind) => {
  for (const entry of kind === 'script' ? indexOfEntries : []) if (entry.children && !entry.isOpen) clickOnNode(entry.id);
  const [links, current] = kind === 'script' ? ['#quillnavTree td:last-child a:not([href="#"])', '.currentPage']
    : ['nav.quillnav a[href]:not(.quillnav-icon)', 'nav.quillnav [aria-current="page"]'];
  return { links: [...document.querySelectorAll(links)].map((a) => a.href),
    current: [...document.querySelectorAll(current)].map((e) => e.textContent.trim()) };
};

for (const browser of ['chromium', 'firefox'])
  for (const kind of ['script', 'static'])
    test(`${browser}, ${kind} menu: from every folder each link opens a page, the page's own entry alone is current`, async () => {
      for (const name of sitePages) {
        const { links, current } = await onPage(browser, kind, name, menuState);
        const pages = links.filter((link) => link.startsWith('file:')).map(fileURLToPath);
        assert.deepEqual(pages, sitePages.map((p) => path.join(sites[kind].site, p)), `${name}: links to the site's pages`);
        assert.deepEqual(links.filter((link) => !link.startsWith('file:')), ['https://example.org/elsewhere.html']);
        assert.deepEqual(current, [name === 'index.html' ? 'Site' : name], `${name}: current entry`);
      }
    });

for (const browser of ['chromium', 'firefox'])
  test(`${browser}: the script menu's stylesheet styles the menu and leaves the page's own look alone`, async () => {
    const look = await onPage(browser, 'script', 'a/b c/two.html', () => Object.fromEntries(
      [['body', 'backgroundColor'], ['#own', 'color'], ['#cell', 'color'], ['#quillnavTree', 'backgroundColor'],
        ['#quillnavTree td:last-child a', 'color'], ['#quillnavTree td', 'color']]
        .map(([selector, property]) => [selector, getComputedStyle(document.querySelector(selector))[property]])));
    assert.deepEqual(Object.values(look), ['rgba(0, 0, 0, 0)', 'rgb(0, 0, 238)', 'rgb(0, 0, 0)', 'rgb(255, 255, 204)',
      'rgb(0, 128, 0)', 'rgb(128, 0, 0)']);
  });
