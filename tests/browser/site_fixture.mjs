// The test site of the browser tests, built as a site project: pages at the site's root, one and
// two folders down, a folder name with a blank, UTF-8 names and a page in the menu's own folder,
// which lies two folders down itself. Needs QUILLMAP_MAKE_SITE_PROJECT, QUILLMAP_BUILD_CLI and
// QUILLMAP_SHIPPED_OUT (set by ctest).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

export const menuInSite = 'docs/nav';
export const sitePages = ['index.html', 'a/one.html', 'a/b c/two.html', 'caf\u00e9/cr\u00e8me.html', 'docs/nav/help.html'];
// Links the menu holds besides the site's pages, which every page must get as written.
export const outsideLinks = ['https://example.org/elsewhere.html'];

// Writes the project into folder/site.qmp and builds its menu into folder/site/docs/nav with
// quillmap-build, then writes every page: pageHtml(name, { toMenu, menu }) gives its text, toMenu
// being the page's relative address of the menu folder ("" or ending in "/"), menu the menu
// folder's path. Returns { site, menu, project }.
export function makeSite(folder, pageHtml) {
  const site = path.join(folder, 'site');
  const menu = path.join(site, ...menuInSite.split('/'));
  const project = path.join(folder, 'site.qmp');
  fs.mkdirSync(menu, { recursive: true });
  execFileSync(process.env.QUILLMAP_MAKE_SITE_PROJECT, [project, site, menuInSite, ...sitePages, ...outsideLinks]);
  execFileSync(process.env.QUILLMAP_BUILD_CLI, [project]);
  // The tree pictures come from the program's data folder, which a build tree may lack.
  for (const name of fs.readdirSync(process.env.QUILLMAP_SHIPPED_OUT).filter((n) => n.endsWith('.gif')))
    if (!fs.existsSync(path.join(menu, name))) fs.copyFileSync(path.join(process.env.QUILLMAP_SHIPPED_OUT, name), path.join(menu, name));
  for (const name of sitePages) {
    const file = path.join(site, ...name.split('/'));
    fs.mkdirSync(path.dirname(file), { recursive: true });
    const toMenu = path.posix.relative(path.posix.dirname(name), menuInSite);
    fs.writeFileSync(file, pageHtml(name, { toMenu: toMenu && `${toMenu}/`, menu }));
  }
  return { site, menu, project };
}
