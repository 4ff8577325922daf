// The test site of site.qmp (menu colours unlike any browser default), built with quillmap-build: pages at
// the root, one and two folders down, names with a blank and UTF-8, a page in the menu folder docs/nav.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const project = fs.readFileSync(new URL('site.qmp', import.meta.url), 'utf8');
export const menuLinks = project.split(/\/---- \* QMAP (?:URLs|Trgts) \* ----\//)[1].split(/\r\n/).filter((link) => link);
export const sitePages = menuLinks.filter((link) => !link.includes(':'));

// Copies the project into folder, builds its menu into folder/site/docs/nav, then writes each page
// as pageHtml(name, the page's address of the menu folder, "" or ending in "/"). Returns the site.
export function makeSite(folder, pageHtml) {
  fs.writeFileSync(path.join(folder, 'site.qmp'), project);
  execFileSync(process.env.QUILLMAP_BUILD_CLI, [path.join(folder, 'site.qmp')]);
  for (const name of sitePages) {
    const toMenu = path.posix.relative(path.posix.dirname(name), 'docs/nav');
    fs.mkdirSync(path.dirname(path.join(folder, 'site', name)), { recursive: true });
    fs.writeFileSync(path.join(folder, 'site', name), pageHtml(name, toMenu && `${toMenu}/`));
  }
  return path.join(folder, 'site');
}
