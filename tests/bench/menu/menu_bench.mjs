// The generated menus side by side with jsTree 3 and with the bare script, in one headless browser.
//
//   (cd tests/bench/menu && npm ci) && node tests/bench/menu/menu_bench.mjs [QUILLMAP_BUILD] [RUNS] [BROWSER] [OLD_BUILD]
//
// BROWSER is chromium (the default, Debian's /usr/bin/chromium) or firefox (/usr/bin/firefox-esr).
// OLD_BUILD, another quillmap-build (with its out folder beside it), adds its static and links pages,
// loaded in turn with the others, to compare a change of the menu without script on a busy machine.
// For 1k, 10k and 100k entries (one root, folders of 49 documents, 14 folders open, default options)
// it writes a project, builds it with quillmap-build and times five pages served from 127.0.0.1,
// from navigation start until the tree is drawn and laid out:
//   static - the menu without script: Quillnav.html inside a page linking Quillnavstatic.css,
//            until its load event and a forced layout;
//   ours   - the built menu, initializeDocument() called in the page body;
//   jstree - jsTree with the same tree as JSON data, until its ready event;
//   floor  - the built script loaded (its tree lines run) but initializeDocument() never called;
//   links  - the static page with its menu hidden: what the browser spends on reading every entry
//            and link of the page before anything is drawn, the least the static page can take.
// Every page loads in a fresh browser context, after the previous one has been closed and the
// machine has had a moment to settle. It prints the median of RUNS loads (default 5) of each page
// and the ratios.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const builder = process.argv[2] || path.join(here, '..', '..', '..', 'build', 'bin', 'quillmap-build');
const runs = Number(process.argv[3] || 5);
const browserName = process.argv[4] || 'chromium';
const oldBuilder = process.argv[5];
const sizes = [1000, 10000, 100000];
const documentsPerFolder = 49;
const openFolders = 14;

// The tree: folder f holds documents "Page f.d"; the open folders are spread evenly.
function makeTree(entries) {
  const folders = Math.round((entries - 1) / (documentsPerFolder + 1));
  const step = folders / openFolders;
  const open = new Set(Array.from({ length: Math.min(openFolders, folders) }, (_, i) => Math.floor(i * step)));
  return Array.from({ length: folders }, (_, f) => ({
    caption: `Section ${f + 1}`,
    open: open.has(f),
    documents: Array.from({ length: documentsPerFolder }, (_, d) => ({
      caption: `Page ${f + 1}.${d + 1}`, link: `pages/p${f + 1}_${d + 1}.html` })),
  }));
}

function projectText(tree) {
  const outline = ['Site'];
  const images = ['0'];
  const urls = [''];
  const targets = ['0'];
  const states = ['1'];
  for (const folder of tree) {
    outline.push(`\t${folder.caption}`);
    images.push('0'); urls.push(''); targets.push('0'); states.push(folder.open ? '1' : '0');
    for (const doc of folder.documents) {
      outline.push(`\t\t${doc.caption}`);
      images.push('2'); urls.push(doc.link); targets.push('0'); states.push('-1');
    }
  }
  const lines = ['Quillmap Project File', '2000', ...outline,
    '/---- * QMAP IMGs * ----/', ...images,
    '/---- * QMAP URLs * ----/', ...urls,
    '/---- * QMAP Trgts * ----/', ...targets,
    '/---- * QMAP OpenFolders * ----/', ...states,
    '/---- * QMAP Opt * ----/', 'main_frame', 'Use_TextLinks',
    '#FFFFFF', '#000000', '#0000FF', '#0000FF', '#FF0000', '0', '0', '0', 'AUTO_CLOSE_NO',
    '/---- * QMAP Cust IMG * ----/', ...images.map(() => ''),
    '/---- *END IMG* ----/'];
  return lines.map((l) => `${l}\r\n`).join('');
}

function jstreeData(tree) {
  return [{
    text: 'Site', state: { opened: true },
    children: tree.map((folder) => ({
      text: folder.caption, state: { opened: folder.open },
      children: folder.documents.map((doc) => ({ text: doc.caption, icon: 'jstree-file', a_attr: { href: doc.link } })),
    })),
  }];
}

const done = '<script>document.body.offsetHeight; window.benchDone = performance.now()</script>';
const menuPage = (call) => `<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="Quillnavstyle.css"><script src="Quillnav.js"></script></head>
<body><div id="menu">${call ? '<script>initializeDocument()</script>' : ''}</div>${done}</body></html>`;
const staticPage = (fragment, hidden) => `<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="Quillnavstatic.css">${hidden ? '<link rel="stylesheet" href="hidden.css">' : ''}</head>
<body><div id="menu">${fragment}</div>
<script>addEventListener('load', () => { document.body.offsetHeight; window.benchDone = performance.now() })</script>
</body></html>`;
const jstreePage = `<!DOCTYPE html><html><head><meta charset="utf-8">
<link rel="stylesheet" href="/jstree/themes/default/style.min.css">
<script src="/jquery/jquery.min.js"></script><script src="/jstree/jstree.min.js"></script>
<script src="data.js"></script></head>
<body><div id="menu"></div><script>
$('#menu').on('ready.jstree', function () { document.body.offsetHeight; window.benchDone = performance.now() })
  .jstree({ core: { data: treeData } })
</script></body></html>`;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmap-menu-bench-'));
const mounts = { '/jquery/': path.join(here, 'node_modules', 'jquery', 'dist'),
  '/jstree/': path.join(here, 'node_modules', 'jstree', 'dist') };
const server = http.createServer((request, response) => {
  const pathname = decodeURIComponent(new URL(request.url, 'http://x').pathname);
  const mount = Object.keys(mounts).find((m) => pathname.startsWith(m));
  const file = mount ? path.join(mounts[mount], pathname.slice(mount.length)) : path.join(work, pathname);
  if (!fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404).end();
    return;
  }
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.gif': 'image/gif',
    '.png': 'image/png' };
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;

for (const entries of sizes) {
  const dir = path.join(work, String(entries));
  const tree = makeTree(entries);
  fs.mkdirSync(dir);
  fs.writeFileSync(path.join(dir, 'menu.qmp'), projectText(tree));
  for (const [build, out] of [[builder, dir], ...(oldBuilder ? [[oldBuilder, path.join(dir, 'old')]] : [])]) {
    fs.mkdirSync(out, { recursive: true });
    execFileSync(build, [path.join(dir, 'menu.qmp'), '--out', out], { stdio: 'inherit' });
    const fragment = fs.readFileSync(path.join(out, 'Quillnav.html'), 'utf8');
    fs.writeFileSync(path.join(out, 'static.html'), staticPage(fragment, false));
    fs.writeFileSync(path.join(out, 'links.html'), staticPage(fragment, true));
    fs.writeFileSync(path.join(out, 'hidden.css'), 'nav.quillnav {display: none}\n');
  }
  fs.writeFileSync(path.join(dir, 'ours.html'), menuPage(true));
  fs.writeFileSync(path.join(dir, 'floor.html'), menuPage(false));
  fs.writeFileSync(path.join(dir, 'jstree.html'), jstreePage);
  fs.writeFileSync(path.join(dir, 'data.js'), `var treeData = ${JSON.stringify(jstreeData(tree))}\n`);
}

// Each browser opens a page in a context of its own, so that nothing is cached between loads.
const browsers = {
  chromium: async () => {
    const browser = await chromium.launch({
      executablePath: process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium',
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync'],
    });
    return { close: () => browser.close(), open: async () => {
      const context = await browser.newContext({ viewport: { width: 1000, height: 700 } });
      return { page: await context.newPage(), close: () => context.close() };
    } };
  },
  firefox: async () => {
    const browser = await puppeteer.launch({ browser: 'firefox', headless: true,
      executablePath: process.env.QUILLMAP_FIREFOX || '/usr/bin/firefox-esr',
      defaultViewport: { width: 1000, height: 700 } });
    return { close: () => browser.close(), open: async () => {
      const context = await browser.createBrowserContext();
      return { page: await context.newPage(), close: () => context.close() };
    } };
  },
};
if (!browsers[browserName]) throw new Error(`unknown browser ${browserName}: chromium or firefox`);
const browser = await browsers[browserName]();
const settle = () => new Promise((resolve) => setTimeout(resolve, 300));

async function timeLoad(url) {
  const { page, close } = await browser.open();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url, { waitUntil: 'load', timeout: 120000 });
  await page.evaluate(() => new Promise((resolve) => {
    const check = () => (window.benchDone !== undefined ? resolve() : setTimeout(check, 10));
    check();
  }));
  const result = await page.evaluate(() => ({ time: window.benchDone,
    rows: document.querySelectorAll('#menu [role=treeitem], #menu nav.quillnav li').length }));
  await close();
  await settle();
  if (errors.length) throw new Error(`${url}: ${errors.join('; ')}`);
  return result;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const variants = ['static', 'ours', 'jstree', 'floor', 'links', ...(oldBuilder ? ['old/static', 'old/links'] : [])];
console.log(`${browserName}: median of ${runs} loads in ms, navigation start to tree drawn and laid out`);
console.log('entries static  ours  jstree  floor  links  static/jstree  ours/jstree  ours/floor  links/jstree'
  + '  static/links  rows(static/ours/jstree)' + (oldBuilder ? '  old: static  links  static/links' : ''));
try {
  for (const entries of sizes) {
    const times = Object.fromEntries(variants.map((v) => [v, []]));
    const rows = {};
    for (const variant of variants) await timeLoad(`${base}/${entries}/${variant}.html`);  // warm-up
    for (let run = 0; run < runs; run++)
      for (const variant of variants) {
        const result = await timeLoad(`${base}/${entries}/${variant}.html`);
        times[variant].push(result.time);
        rows[variant] = result.rows;
      }
    const [stat, ours, jstree, floor, links] = variants.map((v) => median(times[v]));
    const ms = (value, width) => value.toFixed(0).padStart(width);
    const ratio = (value, width) => value.toFixed(2).padStart(width);
    console.log(`${String(entries).padStart(7)} ${ms(stat, 6)} ${ms(ours, 5)} ${ms(jstree, 7)} ${ms(floor, 6)} `
      + `${ms(links, 6)} ${ratio(stat / jstree, 14)} ${ratio(ours / jstree, 12)} ${ratio(ours / floor, 11)} `
      + `${ratio(links / jstree, 13)} ${ratio(stat / links, 13)}  `
      + `${rows.static}/${rows.ours}/${rows.jstree}`
      + (oldBuilder ? `  ${ms(median(times['old/static']), 11)} ${ms(median(times['old/links']), 6)} `
        + `${ratio(median(times['old/static']) / median(times['old/links']), 13)}` : ''));
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
