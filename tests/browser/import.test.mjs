// A site imported with quillmap-import and built with quillmap-build: in headless Chromium every
// link of the menu opens one of the site's pages, and every page is in the menu.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const importCli = process.env.QUILLMAP_IMPORT_CLI;
const buildCli = process.env.QUILLMAP_BUILD_CLI;
const chromiumPath = process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium';

// name -> the bytes before the marker paragraph (its head), written as Latin-1 when asked.
const pages = {
  'index.html': '<title>Home</title>',
  'about us.html': '<title>About &amp; contact</title>',
  'caf\u00e9/menu.html': '<meta charset="iso-8859-1"><title>Caf\u00e9 cr\u00e8me</title>',
  'caf\u00e9/index.htm': '<title>Caf\u00e9</title>',
  'blog/post-10.html': '<title>Post ten</title>',
  'blog/post-2.html': '<title>Post two</title>',
  'blog/2024/opening-hours.html': '',
  'docs/deep/er/guide.shtml': '<title>Guide #1?</title>',
};
const hidden = { '.drafts/secret.html': '<title>Secret</title>' };

let work;
let site;
let context;

before(async () => {
  assert.ok(importCli && buildCli, 'run through ctest: QUILLMAP_IMPORT_CLI and QUILLMAP_BUILD_CLI are needed');
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-import-'));
  site = path.join(work, 'site');
  for (const [name, head] of Object.entries({ ...pages, ...hidden })) {
    const file = path.join(site, name);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    const text = `<!DOCTYPE html><html><head>${head}</head><body><p id="page">${name}</p></body></html>`;
    fs.writeFileSync(file, Buffer.from(text, head.includes('iso-8859-1') ? 'latin1' : 'utf8'));
  }
  fs.writeFileSync(path.join(site, 'style.css'), 'body { color: black }');
  const project = path.join(work, 'site.qmp');
  execFileSync(importCli, [site, '--base', path.join(site, 'menu'), '--out', project]);
  execFileSync(buildCli, [project, '--out', path.join(site, 'menu')]);
  context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: chromiumPath,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await context?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

test('every link of the imported menu opens a page of the site, and every page has a link', async () => {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(pathToFileURL(path.join(site, 'menu', 'index.html')).href, { waitUntil: 'load' });
  // Folders open in absolute-index order, so each one's parent is open before it.
  await page.evaluate(() => {
    for (const entry of indexOfEntries) if (entry.children && !entry.isOpen) clickOnNode(entry.id);
  });
  const captions = await page.$$eval('#menu table', (tables) => tables.map((t) => t.textContent.trim()));
  assert.ok(captions.includes('Caf\u00e9 cr\u00e8me'), 'a Latin-1 title shows right');
  assert.ok(captions.includes('About & contact'));
  assert.ok(captions.includes('Opening hours'), 'a page without a title is named after its file');
  assert.ok(!captions.includes('Secret'), 'hidden folders stay out');

  // Anchors that only open and close folders point at "#" or run script.
  const links = await page.$$eval('#menu a[href]', (anchors) => anchors
    .filter((a) => !/^(#|javascript:)/.test(a.getAttribute('href'))).map((a) => a.href));
  const pageLinks = [...new Set(links)].sort();
  const expected = Object.keys(pages).map((name) => pathToFileURL(path.join(site, name)).href).sort();
  assert.deepEqual(pageLinks, expected);

  for (const link of pageLinks) {
    const opened = await context.newPage();
    const response = await opened.goto(link);
    assert.ok(response?.ok(), `${link} opens`);
    const name = Object.keys(pages).find((n) => pathToFileURL(path.join(site, n)).href === link);
    assert.equal(await opened.textContent('#page'), name);
    await opened.close();
  }
  assert.deepEqual(errors, []);
  await page.close();
});
