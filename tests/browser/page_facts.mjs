// What the browser test reads off a page: a small HTTP server for the
// work folder, the gallery's rows and thumbnails, the viewer's state, and
// the colour of one pixel on screen.
import {readFileSync, statSync} from 'node:fs';
import http from 'node:http';
import {inflateSync} from 'node:zlib';
import path from 'node:path';

export function serve(root) {
  const types = {'.html': 'text/html; charset=utf-8', '.jpg': 'image/jpeg', '.png': 'image/png'};
  return http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name);
    try {
      if (!file.startsWith(root + path.sep) || !statSync(file).isFile()) throw new Error();
      response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
      response.end(readFileSync(file));
    } catch {
      response.writeHead(404).end();
    }
  });
}

export const layoutFacts = page => page.evaluate(() => {
  const gallery = document.querySelector('.gallery');
  const style = getComputedStyle(gallery);
  const content = gallery.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  // The entries row by row, each with its place and size.
  const rows = [];
  for (const li of gallery.querySelectorAll('li')) {
    const r = li.getBoundingClientRect();
    const row = rows.find(row => Math.abs(row.top - r.top) < 1);
    const box = {left: r.left, right: r.right, width: r.width, height: r.height, index: rows.length};
    if (row) row.entries.push(box);
    else rows.push({top: r.top, entries: [box]});
  }
  let i = 0;
  for (const row of rows) for (const box of row.entries) box.index = i++;
  return {
    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    content,
    rows: rows.map(row => row.entries),
    images: [...gallery.querySelectorAll('img')].map(i => ({
      src: i.currentSrc, natural: [i.naturalWidth, i.naturalHeight], shown: [i.width, i.height],
    })),
    texts: [...gallery.querySelectorAll('li')].map(li => li.textContent),
    alts: [...gallery.querySelectorAll('img')].map(i => i.alt),
  };
});

export const viewerState = page => page.evaluate(() => {
  const viewer = document.querySelector('dialog.viewer');
  const shown = viewer.querySelector('img');
  return {
    open: viewer.open,
    label: viewer.getAttribute('aria-label'),
    info: viewer.querySelector('.info').textContent,
    // The bar as it reads on screen: the parts shown, with the separators
    // the style sheet puts before them.
    seen: [...viewer.querySelectorAll('.info span')].filter(s => s.getClientRects().length).map(s => {
      const before = getComputedStyle(s, '::before').content;
      return (before.startsWith('"') ? JSON.parse(before) : '') + s.textContent;
    }).join(''),
    // What a screen reader announces when the picture changes.
    live: viewer.querySelector('[aria-live="polite"]')?.textContent ?? null,
    sizes: shown.sizes,
    hash: location.hash,
    src: shown.currentSrc,
    loaded: shown.complete && shown.naturalWidth > 0,
    full: viewer.querySelector('a.full').href,
    // The focused button by its name, or the thumbnail by its place.
    focus: document.activeElement.getAttribute('aria-label') ??
           [...document.querySelectorAll('.gallery a')].indexOf(document.activeElement),
    outline: getComputedStyle(document.activeElement).outline,
  };
});

// The colour on screen at a point of the page, as [red, green, blue].
export async function pixelAt(page, x, y) {
  const png = Buffer.from(await page.screenshot(
    {clip: {x, y, width: 1, height: 1}, captureBeyondViewport: false}));
  const data = [];
  for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at)) {
    if (png.toString('latin1', at + 4, at + 8) === 'IDAT')
      data.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
  }
  // The first pixel has no neighbour to be predicted from, so it stands as
  // it is after its row's filter byte, whatever the filter.
  return [...inflateSync(Buffer.concat(data)).subarray(1, 4)];
}

export const near = (colour, expected) => colour.every((c, i) => Math.abs(c - expected[i]) <= 12);

// What a page of albums shows once its covers are loaded: its title,
// heading, trail, cards (name, count, whether the cover shows) and grid.
export async function albumPage(page) {
  await page.waitForFunction(() => [...document.querySelectorAll('.albums img')].every(i => i.complete));
  return page.evaluate(() => ({
    title: document.title, heading: document.querySelector('h1').textContent,
    trail: [...document.querySelectorAll('.trail a')].map(a => a.textContent),
    cards: [...document.querySelectorAll('.albums li')].map(li => [
      li.querySelector('.name').textContent, li.querySelector('.about').textContent.split(' · ')[0],
      li.querySelector('img').naturalWidth > 0]),
    grid: document.querySelectorAll('.gallery li').length,
    emptyGrid: document.querySelectorAll('.gallery:not(:has(li))').length,
  }));
}

// Clicks the link of that text in the part the selector names; what the
// page it leads to shows.
export async function follow(page, selector, text) {
  const link = await page.waitForSelector(`${selector} ::-p-text(${text})`);
  await Promise.all([page.waitForNavigation({waitUntil: 'load'}), link.click()]);
  return albumPage(page);
}
