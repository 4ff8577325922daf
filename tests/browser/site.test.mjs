// A site project's menus on pages in every folder of the site, in headless Chromium and Firefox:
// every link leads to a page of the site (or stays as written), exactly the page's own entry is
// the current one, and the script menu's stylesheet leaves the page's own look alone.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { makeSite, outsideLinks, sitePages } from './site_fixture.mjs';

let work;
let scriptSite;
let staticSite;
const browsers = {};

const head = (name, links) => `<!DOCTYPE html><html><head><meta charset="utf-8"><title>${name}</title>${links}</head>`;
// The page's own link and table, which the menu's stylesheet must leave as the browser draws them.
const ownParts = '<p><a id="own" href="#top">own link</a></p><table><tr><td id="cell">cell</td></tr></table>';

before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-site-'));
  scriptSite = makeSite(path.join(work, 'script'), (name, { toMenu }) => head(name,
    `<link rel="stylesheet" href="${toMenu}Quillnavstyle.css"><script src="${toMenu}Quillnav.js"></script>`)
    + `<body>${ownParts}<div id="quillnav"><script>initializeDocument()</script></div></body></html>`);
  staticSite = makeSite(path.join(work, 'static'), (name, { toMenu, menu }) => {
    // The fragment as a site build writes it: links relative to the site folder, marked so.
    const fragment = fs.readFileSync(path.join(menu, 'Quillnav.html'), 'utf8')
      .replace(/<nav class="quillnav"(?![^>]*data-site-links)/, '<nav class="quillnav" data-site-links');
    return head(name, `<link rel="stylesheet" href="${toMenu}Quillnavstatic.css">`
      + `<script src="${toMenu}Quillnavcurrent.js" defer></script>`) + `<body>${fragment}</body></html>`;
  });
  browsers.chromium = await chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
  browsers.firefox = await puppeteer.launch({ browser: 'firefox', headless: true,
    executablePath: process.env.QUILLMAP_FIREFOX || '/usr/bin/firefox-esr', userDataDir: path.join(work, 'firefox-profile') });
});

after(async () => {
  await browsers.chromium?.close();
  await browsers.firefox?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

// Opens a page of a built site and runs check(page) on it, failing on any script error.
async function onPage(browser, site, name, check) {
  const page = await browsers[browser].newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  try {
    await page.goto(pathToFileURL(path.join(site.site, ...name.split('/'))).href, { waitUntil: 'load' });
    await check(page);
  } finally {
    await page.close();
  }
  assert.deepEqual(errors, [], `no script error on ${name}`);
}

// The links of a menu, as the browser resolves them, and the captions marked current.
function assertLinksAndCurrent(name, { links, current }) {
  const fileLinks = links.filter((link) => link.startsWith('file:'));
  for (const link of fileLinks) assert.ok(fs.existsSync(fileURLToPath(link)), `${name}: ${link} is a file`);
  const expected = sitePages.map((page) => pathToFileURL(path.join(scriptSite.site, page)).href);
  const site = (link) => link.replace(/.*\/(script|static)\/site\//, '');
  assert.deepEqual([...new Set(fileLinks.map(site))].sort(), expected.map(site).sort(), `${name}: every page once`);
  assert.deepEqual(links.filter((link) => !link.startsWith('file:')), outsideLinks, `${name}: outside links as written`);
  assert.deepEqual(current, [name === 'index.html' ? 'Site' : name], `${name}: its own entry alone is current`);
}

for (const browser of ['chromium', 'firefox']) {
  test(`${browser}: the script menu leads from a page in every folder to the site's pages`, async () => {
    for (const name of sitePages) {
      await onPage(browser, scriptSite, name, async (page) => {
        const found = await page.evaluate(() => {
          for (const entry of indexOfEntries) if (entry.children && !entry.isOpen) clickOnNode(entry.id);
          return {
            // Folders without a link of their own have anchors to "#" that only open them.
            links: [...document.querySelectorAll('#quillnavTree td:last-child a[href]:not([href="#"])')].map((a) => a.href),
            current: [...document.querySelectorAll('#quillnavTree table.currentPage')].map((t) => t.textContent.trim()),
          };
        });
        assertLinksAndCurrent(name, found);
      });
    }
  });

  test(`${browser}: the menu without script, with its current-page script, works in every folder`, async () => {
    for (const name of sitePages) {
      await onPage(browser, staticSite, name, async (page) => {
        // The script is deferred: it has run once the page is loaded.
        const found = await page.evaluate(() => ({
          links: [...document.querySelectorAll('nav.quillnav a[href]:not(.quillnav-icon)')].map((a) => a.href),
          current: [...document.querySelectorAll('nav.quillnav [aria-current="page"]')].map((a) => a.textContent.trim()),
        }));
        assertLinksAndCurrent(name, found);
      });
    }
  });

  test(`${browser}: the script menu's stylesheet styles the menu and leaves the page's look alone`, async () => {
    await onPage(browser, scriptSite, 'a/one.html', async (page) => {
      const look = await page.evaluate(() => {
        const style = (selector, property) => getComputedStyle(document.querySelector(selector))[property];
        return {
          body: style('body', 'backgroundColor'), own: style('#own', 'color'), cell: style('#cell', 'color'),
          menu: style('#quillnavTree', 'backgroundColor'), menuLink: style('#quillnavTree td:last-child a', 'color'),
          menuCell: style('#quillnavTree td', 'color'),
        };
      });
      assert.deepEqual(look, { body: 'rgba(0, 0, 0, 0)', own: 'rgb(0, 0, 238)', cell: 'rgb(0, 0, 0)',
        menu: 'rgb(255, 255, 204)', menuLink: 'rgb(0, 128, 0)', menuCell: 'rgb(128, 0, 0)' });
    });
  });
}
