// Generated tree menus in headless Chromium. make_menus (built by CMake) writes one complete out
// folder per scenario through the program's own build code; each test opens its index.html.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const makeMenus = process.env.QUILLMAP_MAKE_MENUS;
const shippedOut = process.env.QUILLMAP_SHIPPED_OUT;
const chromiumPath = process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium';

let work;
let context;

before(async () => {
  assert.ok(makeMenus && shippedOut, 'run through ctest: QUILLMAP_MAKE_MENUS and QUILLMAP_SHIPPED_OUT are needed');
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-browser-'));
  execFileSync(makeMenus, [shippedOut, path.join(work, 'menus')], { stdio: 'inherit' });
  // Pages the links lead to, so that navigations end on real documents.
  for (const name of ['start.html', 'notes.html', 'news.html', 'setup.html', 'framed.html'])
    for (const scenario of ['example', 'oddframe'])
      fs.writeFileSync(path.join(work, 'menus', scenario, name), `<html><body><p id="page">${name}</p></body></html>`);
  fs.copyFileSync(path.join(shippedOut, 'ftv2doc_1.gif'), path.join(work, 'menus', 'oddframe', 'my "odd" icon.gif'));
  context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: chromiumPath,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
    viewport: { width: 1000, height: 700 },
  });
});

after(async () => {
  await context?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

// Opens a scenario's test page and records every script error and console error on it.
async function openMenu(scenario, { beforeLoad } = {}) {
  const page = await context.newPage();
  if (beforeLoad) await page.addInitScript(beforeLoad);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(pathToFileURL(path.join(work, 'menus', scenario, 'index.html')).href, { waitUntil: 'load' });
  return { page, errors };
}

async function finish({ page, errors }) {
  await page.close();
  assert.deepEqual(errors, [], 'no script error on the page');
}

// Every drawn row in order: its table id, caption, whether it shows, and its images.
function rows(page) {
  return page.$$eval('#menu table', (tables) => tables.map((t) => ({
    id: t.id,
    caption: t.rows[0].cells[1].textContent,
    shown: t.style.display !== 'none',
    images: [...t.rows[0].cells[0].querySelectorAll('img')].map((i) => i.getAttribute('src')),
    captionLinks: t.rows[0].cells[1].querySelectorAll('a').length,
    iconLinks: t.rows[0].cells[0].querySelectorAll('a').length,
  })));
}

const shownIds = async (page) => (await rows(page)).filter((r) => r.shown).map((r) => r.id);

// A shown row whose parent folder is closed or hidden would be a broken tree.
function treeIsConsistent(page) {
  return page.evaluate(() => {
    const problems = [];
    const visit = (folder, visible) => {
      for (const child of folder.children) {
        const shown = child.navObj.style.display !== 'none';
        if (shown !== (visible && folder.isOpen)) problems.push(`${child.id} shown=${shown}`);
        if (child.children) visit(child, shown);
      }
    };
    visit(foldersTree, true);
    return problems;
  });
}

const click = (page, selector) => page.click(selector);

describe('worked example', () => {
  test('rows and ids follow the items in absolute-index order', async () => {
    const menu = await openMenu('example');
    const { page } = menu;
    assert.equal(await page.evaluate(() => browserVersion), 1, 'current Chromium counts as browser kind 1');
    const drawn = await rows(page);
    assert.deepEqual(drawn.map((r) => r.id), ['folder0', 'folder1', 'folder2', 'item3', 'item4', 'item5', 'folder6',
      'item7', 'item8', 'item9']);
    assert.deepEqual(drawn.map((r) => r.caption), ['Root Folder', 'Guides', 'Setup', 'Start', 'Editor"s notes', 'News',
      'Pictures', 'Harbour', 'Site map', 'Plain']);
    assert.deepEqual(await page.evaluate(() => indexOfEntries.map((e, i) => e.id === i)), Array(10).fill(true));
    // Folder 1 and its opened sub-folder 2 start open; Pictures starts closed.
    assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'folder2', 'item3', 'item4', 'item5', 'folder6']);
    assert.deepEqual(await treeIsConsistent(page), []);
    // The root row has no left side and no connector: just its icon.
    assert.deepEqual(drawn[0].images, ['ftv2folderopen.gif']);
    assert.deepEqual(drawn[3].images, ['ftv2vertline.gif', 'ftv2vertline.gif', 'ftv2lastnode.gif', 'ftv2doc_2.gif']);
    assert.deepEqual(drawn[9].images, ['ftv2blank.gif', 'ftv2lastnode.gif', 'ftv2doc.gif']);
    await finish(menu);
  });

  test('replacement icons land on the right documents', async () => {
    const menu = await openMenu('example');
    const icons = await menu.page.$$eval('img[id^="itemIcon"]', (imgs) =>
      Object.fromEntries(imgs.map((i) => [i.id, i.getAttribute('src')])));
    assert.deepEqual(icons, {
      itemIcon3: 'ftv2doc_2.gif', itemIcon4: 'ftv2doc.gif', itemIcon5: 'ftv2doc_2.gif',
      itemIcon7: 'ftv2doc_3.gif', itemIcon8: 'ftv2doc_1.gif', itemIcon9: 'ftv2doc.gif',
    });
    await finish(menu);
  });

  test('closing a folder closes its subtree; reopening shows only its direct children', async () => {
    const menu = await openMenu('example');
    const { page } = menu;
    await click(page, '#folder1 a[onmousedown*="clickOnNode(1)"]');
    assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'item5', 'folder6']);
    assert.equal(await page.getAttribute('#nodeIcon1', 'src'), 'ftv2pnode.gif');
    assert.equal(await page.getAttribute('#folderIcon1', 'src'), 'ftv2folderclosed.gif');
    assert.equal(await page.evaluate(() => indexOfEntries[2].isOpen), false, 'the sub-folder closed too');

    await click(page, '#folder1 a[onmousedown*="clickOnNode(1)"]');
    assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'folder2', 'item4', 'item5', 'folder6']);
    assert.equal(await page.getAttribute('#nodeIcon1', 'src'), 'ftv2mnode.gif');
    assert.equal(await page.getAttribute('#nodeIcon2', 'src'), 'ftv2pnode.gif');
    assert.deepEqual(await treeIsConsistent(page), []);

    // The last folder uses the last-child connectors; its name opens it but never closes it.
    await click(page, '#folder6 td:nth-child(2) a');
    assert.equal(await page.getAttribute('#nodeIcon6', 'src'), 'ftv2mlastnode.gif');
    await click(page, '#folder6 td:nth-child(2) a');
    assert.equal(await page.evaluate(() => indexOfEntries[6].isOpen), true);
    assert.deepEqual((await shownIds(page)).slice(-3), ['item7', 'item8', 'item9']);
    await finish(menu);
  });

  test('target "0" opens in the frame, "1" in a new window', async () => {
    const menu = await openMenu('example');
    const { page } = menu;
    const frame = page.frame({ name: 'main_frame' });
    assert.ok(frame, 'the test page offers a frame named main_frame');
    await Promise.all([frame.waitForURL(/start\.html$/), click(page, '#item3 td:nth-child(2) a')]);
    assert.equal(await frame.textContent('#page'), 'start.html');
    assert.match(page.url(), /index\.html$/, 'the menu page stays');

    const [popup] = await Promise.all([context.waitForEvent('page'), click(page, '#item4 td:nth-child(2) a')]);
    await popup.waitForLoadState();
    assert.match(popup.url(), /notes\.html$/);
    await popup.close();
    assert.match(frame.url(), /start\.html$/, 'a new-window link leaves the frame alone');

    // A folder's own link opens in the frame as well.
    await Promise.all([frame.waitForURL(/setup\.html$/), click(page, '#folder2 td:nth-child(2) a')]);
    await finish(menu);
  });
});

describe('other browsers and pop-up mode', () => {
  test('a browser without document.all or layers gets the whole tree open and fixed', async () => {
    const menu = await openMenu('example', { beforeLoad: () => { delete Document.prototype.all; } });
    const { page } = menu;
    assert.equal(await page.evaluate(() => browserVersion), 0);
    const drawn = await rows(page);
    assert.equal(drawn.length, 10);
    assert.ok(drawn.every((r) => r.shown));
    assert.equal(await page.$$eval('a[onmousedown]', (a) => a.length), 0, 'nothing reacts to the mouse');
    assert.equal(drawn[6].images[0], 'ftv2mlastnode.gif', 'open connectors');
    assert.equal(drawn[6].images[1], 'ftv2folderopen.gif');
    await finish(menu);
  });

  test('pop-up mode sends links through go, which opens a window named newW', async () => {
    const menu = await openMenu('example');
    const { page } = menu;
    const links = await page.evaluate(() => {
      DWIN = 1;
      const made = { doc: gLnk(0, 'x', 'a "b".html').link, folder: gFld('f', 'c.html').hreference, empty: gLnk(1, 'e', '').link };
      DWIN = 0;
      return made;
    });
    assert.equal(links.doc, `'javascript:go("a \\"b\\".html")' target="main_frame"`);
    assert.equal(links.folder, 'javascript:go("c.html")');
    assert.equal(links.empty, '');
    const [popup] = await Promise.all([context.waitForEvent('page'), page.evaluate(() => go('start.html'))]);
    await popup.waitForLoadState();
    assert.match(popup.url(), /start\.html$/);
    assert.equal(await popup.evaluate(() => window.name), 'newW');
    await popup.close();
    await finish(menu);
  });
});

describe('auto-close', () => {
  test('opening a folder closes the one opened before; the root never takes part', async () => {
    const menu = await openMenu('autoclose');
    const { page } = menu;
    const node = (id) => `#folder${id} a[onmousedown*="clickOnNode(${id})"]`;
    const openFolders = () => page.evaluate(() => indexOfEntries.filter((e) => e.children && e.isOpen).map((e) => e.id));
    assert.deepEqual(await openFolders(), [0]);

    await click(page, node(1));
    assert.deepEqual(await openFolders(), [0, 1]);
    await click(page, node(5));
    assert.deepEqual(await openFolders(), [0, 5], 'Alpha closed when Beta opened');
    assert.equal(await page.evaluate(() => auto_opened_folder), 5);

    // Opening a folder inside the one opened before keeps the outer one open.
    await click(page, node(1));
    await click(page, node(3));
    assert.deepEqual(await openFolders(), [0, 1, 3]);
    assert.deepEqual(await treeIsConsistent(page), []);

    // Closing and reopening the root changes nothing about the remembered folder.
    await page.evaluate(() => { clickOnNode(0); clickOnNode(0); });
    assert.equal(await page.evaluate(() => auto_opened_folder), 3);
    assert.deepEqual(await openFolders(), [0]);
    await click(page, node(7));
    assert.deepEqual(await openFolders(), [0, 7]);
    assert.deepEqual(await treeIsConsistent(page), []);
    await finish(menu);
  });
});

describe('options and captions', () => {
  test('text links off leaves captions plain and keeps the icon links', async () => {
    const menu = await openMenu('plain');
    const drawn = await rows(menu.page);
    assert.deepEqual(drawn.map((r) => r.captionLinks), [0, 0, 0, 0, 0]);
    assert.deepEqual(drawn.map((r) => r.caption), ['Plain Root', 'Linked folder', 'Inside', 'Linked page', 'No link']);
    // root (own link), folder (link), closed folder's document, document with link, document without.
    assert.deepEqual(drawn.map((r) => r.iconLinks), [1, 2, 1, 1, 0]);
    assert.equal(await menu.page.getAttribute('#item3 a', 'target'), 'main_frame');
    await finish(menu);
  });

  test('caption markup renders as markup; apostrophes show as double quotes', async () => {
    const menu = await openMenu('markup');
    const { page } = menu;
    assert.equal(await page.textContent('#item1 b#boldCaption'), 'Bold');
    assert.equal(await page.textContent('#folder0 i#rootItalic'), 'Root');
    const drawn = await rows(page);
    assert.deepEqual(drawn.map((r) => r.caption), ['Markup Root', 'Bold & plain', 'Editor"s "quoted" notes',
      'No link here', 'Caf\u00e9 menu']);
    assert.equal(await page.getAttribute('#item2 td:nth-child(2) a', 'href'), 'C:\\Web\\notes.html');
    assert.equal(drawn[3].captionLinks + drawn[3].iconLinks, 0, 'a document without a link has no anchor');
    await finish(menu);
  });

  test('a root-only tree draws one row without connector', async () => {
    const menu = await openMenu('rootonly');
    const drawn = await rows(menu.page);
    assert.equal(drawn.length, 1);
    assert.equal(drawn[0].id, 'folder0');
    assert.equal(drawn[0].caption, 'Lonely Root');
    assert.deepEqual(drawn[0].images, ['ftv2folderopen.gif']);
    assert.equal(drawn[0].iconLinks, 0);
    await finish(menu);
  });

  test('a frame name typed with quotes and a backslash reaches the links as typed', async () => {
    const menu = await openMenu('oddframe');
    const { page } = menu;
    assert.equal(await page.evaluate(() => TFRAME), 'frame "x" \\ y');
    assert.equal(await page.getAttribute('#item1 td:nth-child(2) a', 'target'), 'frame "x" \\ y');
    assert.equal(await page.getAttribute('#itemIcon1', 'src'), 'my "odd" icon.gif');
    await finish(menu);
  });
});

describe('size', () => {
  test('a menu of 5,000 entries initialises quickly', async (t) => {
    const started = Date.now();
    const menu = await openMenu('big');
    const wall = Date.now() - started;
    const { page } = menu;
    const timing = await page.evaluate(() => {
      const nav = performance.getEntriesByType('navigation')[0];
      return { entries: nEntries, lastRow: !!document.getElementById('item' + (nEntries - 1)),
        domInteractive: nav.domInteractive, loadEnd: nav.loadEventEnd };
    });
    assert.equal(timing.entries, 5000);
    assert.ok(timing.lastRow);
    const shown = await shownIds(page);
    assert.equal(shown.length, 51, 'the top folder and its 50 closed sections');
    assert.ok(shown.every((id) => id.startsWith('folder')));
    t.diagnostic(`5,000 entries: last row drawn by ${timing.domInteractive.toFixed(0)} ms after navigation start, ` +
      `load event ended at ${timing.loadEnd.toFixed(0)} ms, page.goto wall time ${wall} ms`);
    assert.ok(timing.domInteractive < 10000, 'initialisation stays well below ten seconds');
    await finish(menu);
  });
});
