// The test site, built as a site project with quillmap-build (QUILLMAP_BUILD_CLI): pages at the
// root, one and two folders down, names with a blank and UTF-8, and a page in the menu's folder.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

// The menu's items: [depth, caption, link]; a document links to its caption.
const items = [[0, 'Site', 'index.html'], [1, 'a', ''], [2, 'a/one.html'], [2, 'b c', ''], [3, 'a/b c/two.html'],
  [1, 'caf\u00e9', ''], [2, 'caf\u00e9/cr\u00e8me.html'], [1, 'docs', ''], [2, 'nav', ''], [3, 'docs/nav/help.html'],
  [1, 'https://example.org/elsewhere.html']];
export const menuInSite = 'docs/nav';
export const sitePages = items.filter((item) => /^[^:]*\.html$/.test(item[2] ?? item[1])).map((item) => item[2] ?? item[1]);

// Writes folder/site.qmp (menu colours unlike any browser default) and builds it, then writes each
// page as pageHtml(name, { toMenu: its address of the menu folder, "" or ending in "/", menu }).
export function makeSite(folder, pageHtml) {
  const site = path.join(folder, 'site');
  const menu = path.join(site, ...menuInSite.split('/'));
  const each = (f) => items.map((item) => f(item.length === 2, item));
  const lines = ['Quillmap Project File', '2000', ...each((doc, [depth, caption]) => '\t'.repeat(depth) + caption),
    '/---- * QMAP IMGs * ----/', ...each((doc) => (doc ? '2' : '0')), '/---- * QMAP URLs * ----/',
    ...each((doc, [, caption, link]) => link ?? caption), '/---- * QMAP Trgts * ----/', ...each(() => '0'),
    '/---- * QMAP OpenFolders * ----/', ...each((doc, [depth]) => (doc ? '-1' : depth ? '0' : '1')),
    '/---- * QMAP Opt * ----/', '', 'Use_TextLinks', '#FFFFCC', '#800000', '#008000', '#008000', '#FF0000', '0', '0', '0',
    'AUTO_CLOSE_NO', '/---- * QMAP Cust IMG * ----/', ...each(() => ''), '/---- *END IMG* ----/',
    '/---- * QMAP Site * ----/', 'site', menuInSite, 'WRITE_PAGES_NO', ''];
  fs.mkdirSync(menu, { recursive: true });
  fs.writeFileSync(path.join(folder, 'site.qmp'), `${lines.join('\r\n')}\r\n`);
  execFileSync(process.env.QUILLMAP_BUILD_CLI, [path.join(folder, 'site.qmp')]);
  for (const name of sitePages) {
    const toMenu = path.posix.relative(path.posix.dirname(name), menuInSite);
    fs.mkdirSync(path.dirname(path.join(site, name)), { recursive: true });
    fs.writeFileSync(path.join(site, name), pageHtml(name, { toMenu: toMenu && `${toMenu}/`, menu }));
  }
  return { site, menu, project: path.join(folder, 'site.qmp') };
}
