// The menu without script (Quillnav.html in static.html) in headless Chromium (playwright-core) and
// Firefox ESR (puppeteer-core over WebDriver BiDi): with script switched off, and with script on
// under a strict Content-Security-Policy; both menus under axe-core and in a themed sidebar too.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

const makeMenus = process.env.QUILLMAP_MAKE_MENUS;
const shippedOut = process.env.QUILLMAP_SHIPPED_OUT;
const chromiumPath = process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium';
const firefoxPath = process.env.QUILLMAP_FIREFOX || '/usr/bin/firefox-esr';
const viewport = { width: 1000, height: 700 };

let work;
let server;
const missing = [];  // every address the server could not find

// Browsers by name, each started with script on or off.
const launchers = {
  chromium: async (script) => {
    const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--headless', '--no-sandbox',
      '--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update',
      '--disable-sync'] });
    const context = await browser.newContext({ javaScriptEnabled: script, viewport });
    return { newPage: () => context.newPage(), close: () => browser.close() };
  },
  firefox: async (script) => {
    const browser = await puppeteer.launch({ browser: 'firefox', executablePath: firefoxPath, headless: true,
      defaultViewport: viewport, extraPrefsFirefox: { 'javascript.enabled': script } });
    return { newPage: () => browser.newPage(), close: () => browser.close() };
  },
};

before(async () => {
  assert.ok(makeMenus && shippedOut, 'run through ctest: QUILLMAP_MAKE_MENUS and QUILLMAP_SHIPPED_OUT are needed');
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-static-'));
  const menus = path.join(work, 'menus');
  execFileSync(makeMenus, [shippedOut, menus], { stdio: 'inherit' });
  for (const name of ['setup.html', 'news.html'])
    fs.writeFileSync(path.join(menus, 'example', name), `<html><body><p>${name}</p></body></html>`);
  // A page of the site one folder down that holds the menu itself, as a user's page would.
  const site = path.join(menus, 'site');
  fs.mkdirSync(path.join(site, 'sub'));
  fs.writeFileSync(path.join(site, 'sub', 'here.html'), `<!DOCTYPE html><html><head><meta charset="utf-8">
<title>Here</title><link rel="stylesheet" href="../Quillnavstatic.css">
<script src="../Quillnavcurrent.js" defer></script></head>
<body>${fs.readFileSync(path.join(site, 'Quillnav.html'), 'utf8')}<p>Here</p></body></html>`);

  // A documentation theme's usual sidebar rules, and pages holding each menu in such a sidebar.
  fs.writeFileSync(path.join(menus, 'theme.css'), `* {box-sizing: border-box} img {max-width: 100%} body {display: flex; margin: 0; font: 16px/1.7 serif}
div.sidebar {width: 200px; flex: none; overflow: hidden; padding: 0 6px} div.sidebar ul ul {list-style: square; margin-left: 20px}
div.sidebar ul {list-style: disc; margin: 10px 0; padding-left: 1.3em} div.sidebar li {margin: 3px 0; border-bottom: 1px solid #DDD}
div.sidebar a {color: #1A4F8B; border-bottom: 1px dotted; padding: 2px} details {margin: 8px 0; padding: 4px; border: 1px solid}
details > summary {display: list-item; padding: 4px} details > summary::before {content: "> "} td {padding: 4px 8px}`);
  for (const [scenario, file, head, menu] of ['example', 'plain', 'reach'].flatMap((s) => [[s, 'host.html',
    '<link rel="stylesheet" href="Quillnavstatic.css">', fs.readFileSync(path.join(menus, s, 'Quillnav.html'))], [s, 'hostscript.html',
    '<link rel="stylesheet" href="Quillnavstyle.css"><script src="Quillnav.js"></script>', '<script>initializeDocument()</script>']]))
    fs.writeFileSync(path.join(menus, scenario, file), `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Host</title>
<link rel="stylesheet" href="../theme.css">${head}</head><body><div class="sidebar">${menu}</div><main><h1>Host</h1></main></body></html>`);

  server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://x');
    const file = path.join(menus, decodeURIComponent(url.pathname));
    if (!file.startsWith(menus + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      if (url.pathname !== '/favicon.ico') missing.push(url.pathname);
      response.writeHead(404).end();
      return;
    }
    const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.gif': 'image/gif', '.png': 'image/png' };
    const headers = { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' };
    // The page one folder down is served under the policy too, without a query of its own.
    if (url.searchParams.has('csp') || url.pathname.startsWith('/site/sub/')) headers['Content-Security-Policy'] = "default-src 'self'";
    response.writeHead(200, headers);
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
});

after(async () => {
  server?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

const address = (scenario, page) => `http://127.0.0.1:${server.address().port}/${scenario}/${page}`;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The summary of the folder with this caption: whether it is open, where it is, focusing it.
// A summary is named by its caption, or by its label when the folder's link follows it.
const folderOpen = (page, caption) => page.evaluate((c) => [...document.querySelectorAll('nav.quillnav summary')]
  .find((s) => (s.textContent || s.ariaLabel) === c).parentElement.open, caption);
const focusFolder = (page, caption) => page.evaluate((c) => [...document.querySelectorAll('nav.quillnav summary')]
  .find((s) => (s.textContent || s.ariaLabel) === c).focus(), caption);
const focusLink = (page, caption) => page.evaluate((c) => [...document.querySelectorAll('nav.quillnav a')]
  .find((a) => a.textContent === c).focus(), caption);
const focusedText = (page) => page.evaluate(() => document.activeElement.textContent || document.activeElement.ariaLabel);
const shown = (page, caption) => page.evaluate((c) => [...document.querySelectorAll('nav.quillnav a')]
  .find((a) => a.textContent === c).checkVisibility(), caption);

// Where the pointer hits an entry of the menu: a row that has just come into view is drawn, and
// can be hit, from the page's next frame on (a user sees it only then), so this waits for that.
async function aimAt(page, selector, caption, fromRight) {
  for (let tries = 0; ; tries++) {
    const point = await page.evaluate(([sel, c, right]) => {
      const entry = [...document.querySelectorAll(sel)].find((e) => (e.textContent || e.ariaLabel) === c);
      const r = entry.getBoundingClientRect();
      const x = right ? r.x + r.width - 4 : r.x + 8;
      const y = r.y + r.height / 2;
      return { x, y, hit: entry.contains(document.elementFromPoint(x, y)) };
    }, [selector, caption, fromRight]);
    if (point.hit || tries === 40) return point;
    await sleep(50);
  }
}

// A click on the folder's icon, left in its row (its caption may be a link).
async function clickFolderIcon(page, caption) {
  const { x, y } = await aimAt(page, 'nav.quillnav summary', caption, false);
  await page.mouse.click(x, y);
}

async function clickLink(page, caption) {
  const { x, y } = await aimAt(page, 'nav.quillnav a', caption, true);
  await page.mouse.click(x, y);
}

// Waits until the frame beside the menu shows the page of that name.
async function frameShows(page, name) {
  for (let i = 0; i < 100; i++) {
    const href = await page.evaluate(() => document.getElementById('content').contentWindow.location.href)
      .catch(() => '');
    if (href.endsWith(`/${name}`)) return;
    await sleep(50);
  }
  assert.fail(`the frame never showed ${name}`);
}

for (const [name, launch] of Object.entries(launchers)) {
  describe(`${name}, script off`, () => {
    let browser;
    before(async () => { browser = await launch(false); });
    after(async () => { await browser?.close(); });

    const open = async (scenario) => {
      const page = await browser.newPage();
      await page.goto(address(scenario, 'static.html'), { waitUntil: 'load' });
      return page;
    };

    test('every document is a link with its target, drawn with the tree images', async () => {
      missing.length = 0;
      const page = await open('example');
      const links = await page.evaluate(() => [...document.querySelectorAll('nav.quillnav a')].map((a) =>
        [a.textContent, a.getAttribute('href'), a.getAttribute('target')]));
      assert.deepEqual(links, [['Setup', 'setup.html', 'main_frame'], ['Start', 'start.html', 'main_frame'],
        ["Editor's notes", 'notes.html', '_blank'], ['News', 'news.html', 'main_frame'],
        ['Harbour', 'harbour.html', 'main_frame'], ['Site map', 'map.html', 'main_frame'],
        ['Plain', 'plain.html', 'main_frame']]);
      const look = await page.evaluate(() => {
        // A row's picture: a cell of quillnav-tree.png by its place, or a replacement icon by its name.
        const cells = ['folderclosed', 'folderopen', 'doc', 'pnode', 'plastnode', 'mnode', 'mlastnode'];
        const picture = (style) => (/quillnav-tree/.test(style.backgroundImage)
          ? cells[-parseFloat(style.backgroundPositionY) / 22] : style.backgroundImage.replace(/.*\/|"\)$/g, ''));
        // A document's connector is drawn by its item, down to its row's middle when it is the last.
        const connector = (e) => (e.tagName === 'SUMMARY' ? picture(getComputedStyle(e, '::before'))
          : { '8px 1px, 1px 100%': 'node', '8px 1px, 1px 12px': 'lastnode' }[getComputedStyle(e.parentElement).backgroundSize] ?? 'none');
        const rows = [...document.querySelectorAll('nav.quillnav summary, nav.quillnav li > a:not(details + a)')];
        return { rows: rows.map((e) => [e.textContent || e.ariaLabel, picture(getComputedStyle(e)), connector(e)]),
          inline: document.querySelectorAll('[style], script:not([src])').length };
      });
      assert.deepEqual(look.rows, [
        ['Root Folder', 'folderopen', 'none'],
        ['Guides', 'folderopen', 'mnode'],
        ['Setup', 'folderopen', 'mnode'],
        ['Start', 'ftv2doc_2.gif', 'lastnode'],
        ["Editor's notes", 'doc', 'lastnode'],
        ['News', 'ftv2doc_2.gif', 'node'],
        ['Pictures', 'folderclosed', 'plastnode'],
        ['Harbour', 'ftv2doc_3.gif', 'node'],
        ['Site map', 'ftv2doc_1.gif', 'node'],
        ['Plain', 'doc', 'lastnode']]);
      assert.equal(look.inline, 0, 'no inline style or script');
      assert.deepEqual(missing, []);
      await page.close();
    });

    test('folders open and close by mouse and keyboard; links stay links', async () => {
      const page = await open('example');
      assert.equal(await shown(page, 'Harbour'), false);
      await clickFolderIcon(page, 'Pictures');
      assert.equal(await folderOpen(page, 'Pictures'), true);
      assert.equal(await shown(page, 'Harbour'), true);
      await clickFolderIcon(page, 'Pictures');
      assert.equal(await folderOpen(page, 'Pictures'), false);

      await focusFolder(page, 'Guides');
      await page.keyboard.press('Tab');
      assert.equal(await focusedText(page), 'Setup', 'Tab goes on to the next folder');
      await page.keyboard.press('Tab');
      assert.equal(await page.evaluate(() => document.activeElement.href.slice(-10)), 'setup.html', 'then its link');
      await focusFolder(page, 'Pictures');
      await page.keyboard.press('Enter');
      assert.equal(await folderOpen(page, 'Pictures'), true);
      await page.keyboard.press('Space');
      assert.equal(await folderOpen(page, 'Pictures'), false);

      // A folder with a link: its caption follows the link, its icon opens and closes it.
      await clickLink(page, 'Setup');
      await frameShows(page, 'setup.html');
      assert.equal(await folderOpen(page, 'Setup'), true);
      await clickFolderIcon(page, 'Setup');
      assert.equal(await folderOpen(page, 'Setup'), false);
      await focusLink(page, 'News');
      await page.keyboard.press('Enter');
      await frameShows(page, 'news.html');
      await page.close();
    });

    test('with auto-close, opening a folder closes its open sibling', async () => {
      const page = await open('autoclose');
      await clickFolderIcon(page, 'Alpha');
      await clickFolderIcon(page, 'Alpha inner');
      assert.equal(await folderOpen(page, 'Alpha inner'), true);
      await clickFolderIcon(page, 'Beta');
      assert.deepEqual([await folderOpen(page, 'Alpha'), await folderOpen(page, 'Beta')], [false, true]);
      await focusFolder(page, 'Gamma');
      await page.keyboard.press('Enter');
      assert.deepEqual([await folderOpen(page, 'Beta'), await folderOpen(page, 'Gamma')], [false, true]);
      await page.close();
    });
  });

  describe(`${name}, script on under Content-Security-Policy: default-src 'self'`, () => {
    let browser;
    before(async () => { browser = await launch(true); });
    after(async () => { await browser?.close(); });

    test('a page one folder down marks itself in the menu and breaks no rule', async () => {
      missing.length = 0;
      const page = await browser.newPage();
      const record = () => {
        window.violations = [];
        document.addEventListener('securitypolicyviolation', (e) => window.violations.push(e.violatedDirective));
      };
      if (page.addInitScript) await page.addInitScript(record);
      else await page.evaluateOnNewDocument(record);
      await page.goto(address('site', 'sub/here.html'), { waitUntil: 'load' });
      let current = [];
      for (let i = 0; i < 50 && current.length === 0; i++, await sleep(50))
        current = await page.evaluate(() => [...document.querySelectorAll('nav.quillnav [aria-current=page]')]
          .map((a) => a.textContent));
      assert.deepEqual(current, ['Here']);
      assert.equal(await folderOpen(page, 'Deep'), true);
      assert.equal(await folderOpen(page, 'Guides'), true);
      const icon = await page.evaluate(() => getComputedStyle(document.querySelector('nav.quillnav summary'))
        .backgroundImage);
      assert.match(icon, /\/site\/quillnav-tree\.png/);

      await page.goto(`${address('example', 'static.html')}?csp`, { waitUntil: 'load' });
      await clickFolderIcon(page, 'Pictures');
      assert.equal(await folderOpen(page, 'Pictures'), true);
      assert.deepEqual(await page.evaluate(() => window.violations), []);
      assert.deepEqual(missing, []);
      await page.close();
    });
  });

  describe(`${name}: accessibility and a themed sidebar`, () => {
    let browser;
    before(async () => { browser = await launch(true); });
    after(async () => { await browser?.close(); });
    const open = async (scenario, file) => { const p = await browser.newPage(); await p.goto(address(scenario, file)); return p; };
    test('axe-core finds nothing, one Tab reaches the menu, rows keep their look and every caption can be read', async () => {
      const axe = fs.readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
      for (const [scenario, file, first] of [['example', 'index.html', 'folder0'], ['example', 'static.html', 'Root Folder'],
        ['example', 'welcome.html'], ['example', 'host.html'], ['example', 'hostscript.html'], ['plain', 'host.html'],
        ['reach', 'host.html'], ['reach', 'hostscript.html']]) {
        const page = await open(scenario, file);
        await page.evaluate(axe);
        // Every rule but the one asking each page for a heading: the test pages show the menu beside a frame.
        const found = await page.evaluate(async () => (await axe.run(document, { rules: { 'page-has-heading-one':
          { enabled: false } } })).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' '))}`));
        assert.deepEqual(found, [], `${scenario}/${file}`);
        await page.keyboard.press('Tab');
        if (first) assert.equal(await page.evaluate(() => document.activeElement.id || document.activeElement.textContent), first);
        if (file.startsWith('host') && scenario === 'example') {
          // Each row shown: its picture's indent from the menu's left edge, its height, whether a list marker shows.
          const look = await page.evaluate(() => [...document.querySelectorAll('nav summary:not(.quillnav-toggle), '
            + 'nav li > :is(a:not(.quillnav-icon), span), #quillnavTree > table')].filter((row) => row.offsetHeight).map((row) => {
            const menu = row.closest('[role=navigation], nav');
            const picture = [...row.querySelectorAll('td:first-child img')].pop() || row;
            return [Math.round(picture.getBoundingClientRect().left - menu.getBoundingClientRect().left), row.offsetHeight,
              [...menu.querySelectorAll('li, summary')].some((e) => getComputedStyle(e).display === 'list-item')];
          }));
          // Root, Guides, Setup, Start, Editor's notes, News, Pictures.
          assert.deepEqual(look, [0, 16, 32, 48, 32, 16, 16].map((x) => [x, 22, false]), file);
        }
        if (scenario === 'reach') {
          // A caption's end is in sight, or in a box of the menu that scrolls to it.
          const unreadable = await page.evaluate(async () => {
            const cells = [...document.querySelectorAll('nav li > span, #quillnavTree td + td')];
            for (const cell of cells) {
              window.scrollTo(0, scrollY + cell.getBoundingClientRect().top - 100);
              await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
              const range = document.createRange();
              range.selectNodeContents(cell);
              const end = [...range.getClientRects()].pop().right, edge = document.querySelector('.sidebar').getBoundingClientRect().right;
              const box = cell.closest('nav, #quillnavTree');
              cell.unreadable = end > edge && !(getComputedStyle(box).overflowX === 'auto' && box.getBoundingClientRect().right <= edge
                && end - box.getBoundingClientRect().left + box.scrollLeft <= box.scrollWidth);
            }
            return cells.filter((cell) => cell.unreadable).map((cell) => cell.textContent.slice(0, 20));
          });
          assert.deepEqual(unreadable, [], file);
        }
        await page.close();
      }
    });
  });
}
