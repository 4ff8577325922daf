// Generated tree menus in headless Chromium (playwright-core) and Firefox ESR (puppeteer-core over
// WebDriver BiDi), opened from file:// and from a local http server. make_menus (built by CMake)
// writes one complete out folder per scenario through the program's own build code.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

const makeMenus = process.env.QUILLMAP_MAKE_MENUS;
const shippedOut = process.env.QUILLMAP_SHIPPED_OUT;
const chromiumPath = process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium';
const firefoxPath = process.env.QUILLMAP_FIREFOX || '/usr/bin/firefox-esr';

let work;
let server;
let context;
let firefox;

// A page of the small site scenario that holds the menu itself, under a policy that allows only
// the site's own files (served as a header too); watch.js records what the policy refuses.
const sitePage = (title) => `<!DOCTYPE html>
<html><head><meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'">
<title>${title}</title>
<link rel="stylesheet" href="Quillnavstyle.css"><script src="watch.js"></script><script src="Quillnav.js"></script>
</head><body>
<div id="menu"><script src="start.js"></script></div>
<p id="after">${title} content</p>
<script>window.inlineScriptRan = true</script>
</body></html>`;

before(async () => {
  assert.ok(makeMenus && shippedOut, 'run through ctest: QUILLMAP_MAKE_MENUS and QUILLMAP_SHIPPED_OUT are needed');
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-browser-'));
  const menus = path.join(work, 'menus');
  execFileSync(makeMenus, [shippedOut, menus], { stdio: 'inherit' });
  // Pages the links lead to, so that navigations end on real documents.
  for (const name of ['start.html', 'notes.html', 'news.html', 'setup.html', 'framed.html', 'harbour.html'])
    for (const scenario of ['example', 'oddframe'])
      fs.writeFileSync(path.join(menus, scenario, name), `<html><body><p id="page">${name}</p></body></html>`);
  fs.copyFileSync(path.join(shippedOut, 'ftv2doc_1.gif'), path.join(menus, 'oddframe', 'my "odd" icon.gif'));
  fs.writeFileSync(path.join(menus, 'site', 'start.js'), 'initializeDocument()\n');
  fs.writeFileSync(path.join(menus, 'site', 'watch.js'), 'window.refused = []\n'
    + "document.addEventListener('securitypolicyviolation', (e) => refused.push(e.violatedDirective))\n");
  // Pages that load the menu from another folder, and pages that start it once they are read.
  const menuPage = (prefix, body) => '<!DOCTYPE html><html><head><meta charset="utf-8">'
    + `<link rel="stylesheet" href="${prefix}Quillnavstyle.css"><script src="${prefix}Quillnav.js"></script>`
    + `</head><body>${body}</body></html>`;
  fs.mkdirSync(path.join(menus, 'example', 'sub'));
  fs.writeFileSync(path.join(menus, 'example-root.html'), menuPage('example/', '<script>initializeDocument()</script>'));
  fs.writeFileSync(path.join(menus, 'example', 'sub', 'page.html'), menuPage('../', '<script>initializeDocument()</script>'));
  for (const [name, start, holder] of [['late', "document.addEventListener('DOMContentLoaded', ", '<div id="quillnav"></div>'],
    ['onload', "addEventListener('load', ", '']]) {
    fs.writeFileSync(path.join(menus, 'example', `${name}.js`), `${start}() => initializeDocument())\n`);
    fs.writeFileSync(path.join(menus, 'example', `${name}.html`), menuPage('',
      `<script src="${name}.js" defer></script><p id="before">Before</p>${holder}<p id="after">After</p>`));
  }
  for (const name of ['here', 'about', 'amp&copy'])
    fs.writeFileSync(path.join(menus, 'site', `${name}.html`), sitePage(name));

  server = http.createServer((request, response) => {
    const file = path.join(menus, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (request.url === '/favicon.ico') {
      response.writeHead(204).end();
      return;
    }
    if (!file.startsWith(menus + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.gif': 'image/gif' };
    const headers = { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' };
    if (request.url.startsWith('/site/')) headers['Content-Security-Policy'] = "default-src 'self'";
    response.writeHead(200, headers);
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));

  context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: chromiumPath,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
    viewport: { width: 1000, height: 700 },
  });
  firefox = await puppeteer.launch({ browser: 'firefox', executablePath: firefoxPath, headless: true,
    userDataDir: path.join(work, 'firefox-profile'), defaultViewport: { width: 1000, height: 700 } });
});

after(async () => {
  await context?.close();
  await firefox?.close();
  server?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

const origins = {
  file: (scenario, page) => pathToFileURL(path.join(work, 'menus', scenario, page)).href,
  http: (scenario, page) => `http://127.0.0.1:${server.address().port}/${scenario}/${page}`,
};

// Opens a scenario's page and records every script error and console error on it.
async function openMenu(scenario, { browser = 'chromium', origin = 'file', file = 'index.html', beforeLoad } = {}) {
  const page = browser === 'chromium' ? await context.newPage() : await firefox.newPage();
  if (beforeLoad) await page.addInitScript(beforeLoad);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(origins[origin](scenario, file), { waitUntil: 'load' });
  return { page, errors };
}

// The site pages' own inline script is refused on purpose; that refusal is the only error allowed.
async function finish({ page, errors }) {
  await page.close();
  assert.deepEqual(errors.filter((e) => !/inline script|script-src/i.test(e)), [], 'no script error on the page');
}

// Every drawn row in order: its table id, caption, whether it shows, and its images.
function rows(page) {
  return page.$$eval('#menu table[id^=folder], #menu table[id^=item]', (tables) => tables.map((t) => ({
    id: t.id,
    caption: t.rows[0].cells[1].textContent,
    shown: t.style.display !== 'none',
    images: [...t.rows[0].cells[0].querySelectorAll('img')].map((i) => i.getAttribute('src')),
    captionLinks: t.rows[0].cells[1].querySelectorAll('a').length,
    iconLinks: t.rows[0].cells[0].querySelectorAll('a').length,
  })));
}

const shownIds = async (page) => (await rows(page)).filter((r) => r.shown).map((r) => r.id);
const attribute = (page, selector, name) => page.$eval(selector, (e, n) => e.getAttribute(n), name);
const focusedId = (page) => page.evaluate(() => document.activeElement.id);
const openFolders = (page) => page.evaluate(() => indexOfEntries.filter((e) => e.children && e.isOpen).map((e) => e.id));

// A shown row whose folder is closed or hidden, or a row that should show but was never drawn,
// would be a broken tree.
function treeIsConsistent(page) {
  return page.evaluate(() => {
    const problems = [];
    const visit = (folder, visible) => {
      for (const child of folder.children) {
        const shown = !!child.navObj && child.navObj.style.display !== 'none';
        if (shown !== (visible && folder.isOpen)) problems.push(`${child.id} shown=${shown}`);
        if (child.children) visit(child, shown);
      }
    };
    visit(foldersTree, true);
    return problems;
  });
}

const click = (page, selector, options) => page.click(selector, options);
// A folder's connector: the link around its nodeIcon image.
const connector = (id) => `#nodeIcon${id}`;

async function waitFor(condition, what) {
  for (let i = 0; i < 100; i++) {
    if (await condition()) return;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  assert.fail(`timed out waiting for ${what}`);
}

for (const browser of ['chromium', 'firefox'])
  for (const origin of ['file', 'http'])
    describe(`${browser} over ${origin}`, () => {
      const open = (scenario, file) => openMenu(scenario, { browser, origin, file });

      test('rows of a folder are drawn when it first opens, with their ids, icons and targets', async () => {
        const menu = await open('example');
        const { page } = menu;
        assert.equal(await page.evaluate(() => browserVersion), 1, 'the browser counts as browser kind 1');
        assert.deepEqual(await page.evaluate(() => indexOfEntries.map((e, i) => e.id === i)), Array(10).fill(true));
        // Folder 1 and its opened sub-folder 2 start open; the closed Pictures folder has no rows yet.
        assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'folder2', 'item3', 'item4', 'item5', 'folder6']);
        assert.equal((await rows(page)).length, 7);
        assert.deepEqual(await page.evaluate(() => [7, 8, 9].map((i) => [indexOfEntries[i].navObj,
          indexOfEntries[i].iconImg])), [[0, 0], [0, 0], [0, 0]]);

        await click(page, connector(6));
        const drawn = await rows(page);
        assert.deepEqual(drawn.map((r) => r.id), ['folder0', 'folder1', 'folder2', 'item3', 'item4', 'item5',
          'folder6', 'item7', 'item8', 'item9']);
        assert.deepEqual(drawn.map((r) => r.caption), ['Root Folder', 'Guides', 'Setup', 'Start', "Editor's notes",
          'News', 'Pictures', 'Harbour', 'Site map', 'Plain']);
        assert.deepEqual(drawn[0].images, ['ftv2folderopen.gif'], 'the root row has no left side and no connector');
        assert.deepEqual(drawn[3].images, ['ftv2vertline.gif', 'ftv2vertline.gif', 'ftv2lastnode.gif', 'ftv2doc_2.gif']);
        assert.deepEqual(drawn.slice(7).map((r) => r.images), [['ftv2blank.gif', 'ftv2node.gif', 'ftv2doc_3.gif'],
          ['ftv2blank.gif', 'ftv2node.gif', 'ftv2doc_1.gif'], ['ftv2blank.gif', 'ftv2lastnode.gif', 'ftv2doc.gif']]);
        assert.equal(await attribute(page, '#item8 td:nth-child(2) a', 'target'), 'main_frame');
        assert.deepEqual(await page.evaluate(() => [7, 8, 9].map((i) => indexOfEntries[i].iconImg.id)),
          ['itemIcon7', 'itemIcon8', 'itemIcon9']);
        assert.deepEqual(await treeIsConsistent(page), []);
        await finish(menu);
      });

      test('connectors toggle on click, Enter and Space but not on a right-click; closing closes the subtree', async () => {
        const menu = await open('example');
        const { page } = menu;
        await click(page, connector(1), { button: 'right' });
        assert.deepEqual(await openFolders(page), [0, 1, 2], 'a right-click changes nothing');

        await click(page, connector(1));
        assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'item5', 'folder6']);
        assert.equal(await attribute(page, '#nodeIcon1', 'src'), 'ftv2pnode.gif');
        assert.equal(await attribute(page, '#folderIcon1', 'src'), 'ftv2folderclosed.gif');
        assert.equal(await attribute(page, '#folder1', 'aria-expanded'), 'false');
        assert.deepEqual(await openFolders(page), [0], 'the sub-folder closed too');

        await page.evaluate(() => document.getElementById('nodeIcon1').parentNode.focus());
        await page.keyboard.press('Enter');
        assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'folder2', 'item4', 'item5', 'folder6']);
        assert.equal(await attribute(page, '#nodeIcon1', 'src'), 'ftv2mnode.gif');
        assert.equal(await attribute(page, '#nodeIcon2', 'src'), 'ftv2pnode.gif');
        await page.keyboard.press(' ');
        assert.deepEqual(await openFolders(page), [0]);
        await page.keyboard.press(' ');
        assert.deepEqual(await treeIsConsistent(page), []);

        // The last folder uses the last-child connectors; its name opens it but never closes it.
        await click(page, '#folder6 td:nth-child(2) a');
        assert.equal(await attribute(page, '#nodeIcon6', 'src'), 'ftv2mlastnode.gif');
        await click(page, '#folder6 td:nth-child(2) a');
        assert.equal(await page.evaluate(() => indexOfEntries[6].isOpen), true);
        assert.deepEqual((await shownIds(page)).slice(-3), ['item7', 'item8', 'item9']);
        assert.match(page.url(), /index\.html$/, 'a folder without a link leaves the page where it is');
        await finish(menu);
      });

      test('a WAI-ARIA tree: roles, levels, states, names and one Tab stop', async () => {
        const menu = await open('example');
        const { page } = menu;
        const tabbable = () => page.$$eval('#menu a, #menu [tabindex]', (e) => e.filter((x) => x.tabIndex >= 0)
          .map((x) => x.id));
        assert.deepEqual(await tabbable(), ['folder0']);
        await click(page, connector(6));
        assert.deepEqual(await tabbable(), ['folder6'], 'a click makes its row the Tab stop');
        const tree = await page.evaluate(() => {
          const box = document.querySelector('[role=tree]');
          const items = [...box.querySelectorAll('[role=treeitem]')];
          return {
            name: document.getElementById(box.getAttribute('aria-labelledby')).textContent,
            items: items.map((t) => [t.id, t.getAttribute('aria-level'), t.getAttribute('aria-setsize'),
              t.getAttribute('aria-posinset'), t.getAttribute('aria-expanded'), t.tabIndex]),
            imagesWithoutAlt: box.querySelectorAll('img:not([alt=""])').length,
            // Links a screen reader meets, with the name it reads.
            links: [...box.querySelectorAll('a[href]')].filter((a) => !a.closest('[aria-hidden=true]'))
              .map((a) => a.getAttribute('aria-label') || a.textContent),
            inlineHandlers: [...box.querySelectorAll('*')].filter((e) => [...e.attributes]
              .some((a) => a.name.startsWith('on'))).length,
          };
        });
        assert.equal(tree.name, 'Root Folder');
        assert.deepEqual(tree.items, [
          ['folder0', '1', '1', '1', 'true', -1], ['folder1', '2', '3', '1', 'true', -1],
          ['folder2', '3', '2', '1', 'true', -1], ['item3', '4', '1', '1', null, -1],
          ['item4', '3', '2', '2', null, -1], ['item5', '2', '3', '2', null, -1],
          ['folder6', '2', '3', '3', 'true', 0], ['item7', '3', '3', '1', null, -1],
          ['item8', '3', '3', '2', null, -1], ['item9', '3', '3', '3', null, -1]]);
        assert.equal(tree.imagesWithoutAlt, 0);
        assert.deepEqual(tree.links, ['Guides', 'Setup', 'Start', "Editor's notes", 'News', 'Pictures', 'Harbour',
          'Site map', 'Plain']);
        assert.equal(tree.inlineHandlers, 0);

        await page.evaluate(() => document.body.prepend(document.createElement('button')));
        await page.focus('button');
        await page.keyboard.press('Tab');
        assert.equal(await focusedId(page), 'folder6');
        assert.notEqual(await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle), 'none',
          'the focused row shows a focus ring');
        // Links hidden from screen readers never keep the focus a click gives them.
        for (const [target, row] of [[connector(1), 'folder1'], ['#folderIcon6', 'folder6'], ['#itemIcon7', 'item7']]) {
          await click(page, target);
          assert.equal(await focusedId(page), row, `a click on ${target} leaves the focus on its row`);
        }
        await finish(menu);
      });

      test('keyboard walk: arrows, Home, End, type-ahead and Enter', async () => {
        const menu = await open('example');
        const { page } = menu;
        await page.evaluate(() => document.getElementById('folder0').focus());
        const press = async (key) => { await page.keyboard.press(key); return focusedId(page); };
        assert.equal(await press('ArrowDown'), 'folder1');
        assert.equal(await press('ArrowRight'), 'folder2', 'Right on an open folder moves into it');
        assert.equal(await press('ArrowLeft'), 'folder2', 'Left on an open folder closes it');
        assert.deepEqual(await openFolders(page), [0, 1]);
        assert.equal(await press('ArrowDown'), 'item4');
        assert.equal(await press('ArrowUp'), 'folder2');
        assert.equal(await press('ArrowLeft'), 'folder1', 'Left on a closed folder moves to its parent');
        assert.equal(await press('End'), 'folder6');
        assert.equal(await press('ArrowRight'), 'folder6', 'Right opens a closed folder');
        assert.equal(await press('End'), 'item9', 'rows drawn on opening are reached by the keys');
        assert.equal(await press('Home'), 'folder0');
        assert.equal(await press('s'), 'folder2', 'type-ahead finds Setup');
        assert.equal(await press('s'), 'item8', 'and then Site map');
        assert.equal(await press('n'), 'item5', 'round again from the top to News');
        assert.equal(await page.evaluate(() => [...document.querySelectorAll('[role=treeitem]')]
          .filter((t) => t.tabIndex === 0).map((t) => t.id).join()), 'item5', 'the Tab stop follows the focus');
        await press('Home');
        await page.keyboard.type('si');
        assert.equal(await focusedId(page), 'item8', 'a typed prefix finds Site map, not Setup');

        await press('Home');
        await press('ArrowDown');
        await press('Enter');
        assert.deepEqual(await openFolders(page), [0, 6], 'Enter on a folder without a link closes it');
        await press('ArrowDown');
        await press('ArrowDown');
        assert.equal(await press('ArrowDown'), 'item7');
        await press('Enter');
        await waitFor(() => page.frames().some((f) => /harbour\.html$/.test(f.url())), 'the frame to show harbour.html');
        assert.match(page.url(), /index\.html$/, 'the link opened in the frame, not in the menu page');
        await finish(menu);
      });

      test('closing the folder that holds the focus moves the focus and the Tab stop to it', async () => {
        const menu = await open('example');
        const { page } = menu;
        await page.evaluate(() => document.getElementById('item3').focus());
        await page.evaluate(() => clickOnNode(1));
        assert.equal(await focusedId(page), 'folder1');
        assert.equal(await attribute(page, '#folder1', 'tabindex'), '0');
        await finish(menu);
      });

      test('auto-close keeps exactly the opened folder and the folders it lies in open', async () => {
        const menu = await open('autoclose');
        const { page } = menu;
        assert.deepEqual(await openFolders(page), [0]);
        await click(page, connector(1));
        assert.deepEqual(await openFolders(page), [0, 1]);
        await click(page, connector(3));
        assert.deepEqual(await openFolders(page), [0, 1, 3], 'a folder inside the open one keeps it open');
        await click(page, connector(5));
        assert.deepEqual(await openFolders(page), [0, 5], 'Alpha and Alpha inner close when Beta opens');
        assert.equal(await page.evaluate(() => auto_opened_folder), 5);
        assert.deepEqual(await treeIsConsistent(page), []);

        // Closing and reopening the root changes nothing about the remembered folder.
        await page.evaluate(() => { clickOnNode(0); clickOnNode(0); });
        assert.equal(await page.evaluate(() => auto_opened_folder), 5);
        assert.deepEqual(await openFolders(page), [0]);
        await click(page, connector(7));
        assert.deepEqual(await openFolders(page), [0, 7]);
        assert.deepEqual(await treeIsConsistent(page), []);
        await finish(menu);
      });

      test("a caption's markup stays in its own row", async () => {
        const menu = await open('markup');
        const { page } = menu;
        assert.equal(await page.$eval('#item1 b#boldCaption', (e) => e.textContent), 'Bold');
        assert.equal(await page.$eval('#folder0 i#rootItalic', (e) => e.textContent), 'Root');
        const drawn = await rows(page);
        assert.deepEqual(drawn.map((r) => [r.id, r.caption]), [['folder0', 'Markup Root'],
          ['item1', 'Bold & plain'], ['item2', 'Editor\'s "quoted" notes'], ['item3', 'No link here'],
          ['item4', 'Caf\u00e9 menu'], ['folder5', 'Drafts '], ['item6', 'x'], ['item7', 'Ends early'],
          ['item8', 'After the drafts']]);
        assert.ok(drawn.every((r) => r.shown));
        assert.equal(await page.$eval('#item7 a', (a) => a.getAttribute('href')), 'early.html');
        assert.equal(await page.$$eval('#item1 a', (a) => a[0].getAttribute('aria-label')), null);
        assert.equal(await attribute(page, '#item2 td:nth-child(2) a', 'href'), 'C:\\Web\\notes.html');
        assert.equal(drawn[3].captionLinks + drawn[3].iconLinks, 0, 'a document without a link has no anchor');
        assert.equal(await page.$$eval('#content', (f) => f.length), 1, 'the page after the tree is still there');
        await finish(menu);
      });

      test('the current page is marked, its folders start open, and the menu works under a strict policy', async () => {
        const menu = await open('site', 'here.html');
        const { page } = menu;
        assert.deepEqual(await openFolders(page), [0, 1, 3]);
        assert.deepEqual(await page.$$eval('[aria-current]', (e) => e.map((t) => [t.id, t.getAttribute('aria-current'),
          t.className])), [['item4', 'page', 'currentPage']]);
        assert.equal(await attribute(page, '#item4', 'tabindex'), '0');
        assert.equal(await page.$eval('#after', (e) => e.textContent), 'here content');
        assert.equal(await page.evaluate(() => window.inlineScriptRan), undefined, 'the policy is in force');
        assert.equal(await page.$eval('#item4 td:nth-child(2)', (e) => getComputedStyle(e).fontWeight), '700');
        await click(page, connector(6));
        assert.deepEqual(await openFolders(page), [0, 1, 3, 6]);
        // Leaving the page and coming back, the folders are as the visitor left them.
        await click(page, connector(1));
        assert.deepEqual(await shownIds(page), ['folder0', 'folder1', 'item5', 'folder6', 'item7', 'item8', 'item9']);
        await page.waitForFunction(() => new Promise((resolve) => setTimeout(resolve, 50, true)));
        assert.deepEqual(await page.evaluate(() => refused.filter((d) => !d.startsWith('script'))), [],
          'the tree needs nothing the policy refuses');
        await page.goto(origins[origin]('site', 'about.html'));
        assert.deepEqual(await openFolders(page), [0, 6], 'open folders are remembered for the visit');
        await page.goto(origins[origin]('site', 'here.html'));
        assert.deepEqual(await openFolders(page), [0, 1, 3, 6], "the current page's folders open as well");
        await finish(menu);

        const other = await open('site', 'about.html');
        assert.deepEqual(await other.page.$$eval('[aria-current]', (e) => e.map((t) => t.id)), ['item5']);
        assert.deepEqual(await openFolders(other.page), [0], 'another visit starts afresh');
        await finish(other);
      });

      test('links with an ampersand reach the browser as typed and still mark the current page', async () => {
        const menu = await open('site', 'amp&copy.html');
        const { page } = menu;
        assert.deepEqual(await page.$$eval('[aria-current]', (e) => e.map((t) => t.id)), ['item8']);
        assert.equal(await attribute(page, '#item8 td:nth-child(2) a', 'href'), 'amp&copy.html');
        assert.equal(await attribute(page, '#item9 td:nth-child(2) a', 'href'), 'list.php?sort=asc&not_found');
        await finish(menu);
      });

      test('pictures come from the folder of the script, wherever the page is', async () => {
        for (const file of ['../example-root.html', 'sub/page.html']) {
          const menu = await open('example', file);
          const { page } = menu;
          await page.evaluate(() => indexOfEntries.forEach((e) => e.children && !e.isOpen && clickOnNode(e.id)));
          await waitFor(() => page.evaluate(() => [...document.images].every((i) => i.complete)), 'the pictures');
          assert.deepEqual(await page.$$eval('#quillnavTree img', (images) => images.filter((i) => !i.naturalWidth)
            .map((i) => i.getAttribute('src'))), [], `every picture of ${file} loads`);
          assert.equal(await page.$$eval('#quillnavTree img', (i) => i.length), 26);
          await finish(menu);
        }
      });

      test('a start after the page is read draws into #quillnav or at the end of the page, keeping it', async () => {
        for (const [file, place] of [['late.html', 'quillnav'], ['onload.html', 'after']]) {
          const menu = await open('example', file);
          const { page } = menu;
          await waitFor(() => page.evaluate(() => !!document.getElementById('quillnavTree')), 'the tree');
          assert.deepEqual(await page.evaluate(() => {
            const tree = document.getElementById('quillnavTree');
            return [document.getElementById('before')?.textContent, document.getElementById('after')?.textContent,
              tree.parentNode.parentNode.id || tree.parentNode.previousElementSibling.id, tree.querySelectorAll('table').length];
          }), ['Before', 'After', place, 7], file);
          assert.deepEqual(await treeIsConsistent(page), []);
          await finish(menu);
        }
      });

      test('nothing is cut off: a caption far to the right, thirty levels deep, can be scrolled to', async () => {
        const menu = await open('reach');
        const hit = await menu.page.evaluate(async () => {
          const cell = document.getElementById('item31').rows[0].cells[1];
          for (const pass of [1, 2]) {
            cell.scrollIntoView({ inline: 'end' });
            await new Promise((resolve) => requestAnimationFrame(() => resolve(pass)));
          }
          const range = document.createRange();
          range.selectNodeContents(cell);
          const last = [...range.getClientRects()].pop();
          return document.elementFromPoint(last.right - 2, (last.top + last.bottom) / 2)?.closest('table')?.id;
        });
        assert.equal(hit, 'item31', 'the end of the caption scrolls into sight');
        // A screen reader names the row's link by what a visitor sees, not by the caption's script.
        assert.equal(await attribute(menu.page, '#item32 a', 'aria-label'), 'Visible part');
        await finish(menu);
      });

      test('a menu 10,000 levels deep draws, opens and closes', async () => {
        const menu = await open('deep');
        await click(menu.page, connector(1));
        assert.deepEqual(await shownIds(menu.page), ['folder0', 'folder1', 'folder2']);
        await menu.page.evaluate(() => { clickOnNode(0); clickOnNode(0) });
        assert.deepEqual(await shownIds(menu.page), ['folder0', 'folder1']);
        await finish(menu);
      });
    });

describe('chromium over file: frames, pop-ups, options and size', () => {
  test('replacement icons land on the right documents', async () => {
    const menu = await openMenu('example');
    await click(menu.page, connector(6));
    const icons = await menu.page.$$eval('img[id^="itemIcon"]', (imgs) =>
      Object.fromEntries(imgs.map((i) => [i.id, i.getAttribute('src')])));
    assert.deepEqual(icons, {
      itemIcon3: 'ftv2doc_2.gif', itemIcon4: 'ftv2doc.gif', itemIcon5: 'ftv2doc_2.gif',
      itemIcon7: 'ftv2doc_3.gif', itemIcon8: 'ftv2doc_1.gif', itemIcon9: 'ftv2doc.gif',
    });
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
    assert.equal(drawn[6].images[0], 'ftv2mlastnode.gif', 'open connectors');
    assert.equal(drawn[6].images[1], 'ftv2folderopen.gif');
    await click(page, connector(1));
    assert.ok((await rows(page)).every((r) => r.shown), 'nothing reacts to the mouse');
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

describe('options and captions', () => {
  test('text links off leaves captions plain and keeps the icon links', async () => {
    const menu = await openMenu('plain');
    await click(menu.page, connector(1));
    const drawn = await rows(menu.page);
    assert.deepEqual(drawn.map((r) => r.captionLinks), [0, 0, 0, 0, 0]);
    assert.deepEqual(drawn.map((r) => r.caption), ['Plain Root', 'Linked folder', 'Inside', 'Linked page', 'No link']);
    // root (own link), folder (link), closed folder's document, document with link, document without.
    assert.deepEqual(drawn.map((r) => r.iconLinks), [1, 2, 1, 1, 0]);
    // Each row is named once, by its caption; the tables' parts are no groups of their own.
    const tree = await menu.page.locator('#quillnavTree').ariaSnapshot();
    assert.match(tree, /^- tree "Plain Root":/);
    assert.match(tree, /- treeitem "Linked page" \[level=2\]:\n\s+- link "Linked page"/);
    assert.match(tree, /- treeitem "No link" \[level=2\]/);
    assert.doesNotMatch(tree, /rowgroup|row\b|cell/);
    assert.equal(await menu.page.getAttribute('#item3 a', 'target'), 'main_frame');
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
      return { entries: nEntries, rows: document.querySelectorAll('#menu table').length,
        domInteractive: nav.domInteractive, loadEnd: nav.loadEventEnd };
    });
    assert.equal(timing.entries, 5000);
    assert.equal(timing.rows, 51, 'only the shown rows are drawn');
    const shown = await shownIds(page);
    assert.equal(shown.length, 51, 'the top folder and its 50 closed sections');
    assert.ok(shown.every((id) => id.startsWith('folder')));
    await click(page, connector(await page.evaluate(() => foldersTree.children[49].id)));
    assert.equal(await page.$eval('#menu table:last-child', (t) => t.id), 'item4999', 'the last row appears when shown');
    t.diagnostic(`5,000 entries: tree drawn by ${timing.domInteractive.toFixed(0)} ms after navigation start, ` +
      `load event ended at ${timing.loadEnd.toFixed(0)} ms, page.goto wall time ${wall} ms`);
    assert.ok(timing.domInteractive < 10000, 'initialisation stays well below ten seconds');
    await finish(menu);
  });
});
