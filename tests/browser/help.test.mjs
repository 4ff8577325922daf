// The F1 Help page as shipped, in headless Chromium under Content-Security-Policy: default-src 'self':
// nothing refused, its stylesheet applied, axe-core finds nothing, every link within the page leads somewhere.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';

const help = process.env.QUILLMAP_HELP;
let server;
let browser;

before(async () => {
  assert.ok(help, 'run through ctest: QUILLMAP_HELP is needed');
  server = http.createServer((request, response) => {
    const file = path.join(help, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (!file.startsWith(help + path.sep) || !fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': file.endsWith('.css') ? 'text/css' : 'text/html',
      'Content-Security-Policy': "default-src 'self'" });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  browser = await chromium.launch({ executablePath: process.env.QUILLMAP_CHROMIUM || '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'] });
});

after(async () => { await browser?.close(); server?.close(); });

test('the Help page keeps to a strict policy, passes axe-core and has no dead links within itself', async () => {
  const page = await browser.newPage();
  const refused = [];
  page.on('console', (message) => { if (/Content Security Policy/i.test(message.text())) refused.push(message.text()); });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.htm`, { waitUntil: 'load' });
  assert.deepEqual(refused, []);
  // The stylesheet is in effect: the headings take its colour.
  assert.equal(await page.evaluate(() => getComputedStyle(document.querySelector('h1')).color), 'rgb(47, 95, 179)');
  await page.evaluate(fs.readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8'));
  const found = await page.evaluate(async () => (await axe.run(document)).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' '))}`));
  assert.deepEqual(found, []);
  const dead = await page.evaluate(() => [...document.querySelectorAll('a[href^="#"]')]
    .map((a) => a.getAttribute('href')).filter((href) => !document.getElementById(href.slice(1))));
  assert.deepEqual(dead, []);
});
