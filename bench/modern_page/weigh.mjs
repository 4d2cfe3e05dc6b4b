// Weighs what a browser loads for a page, and takes its screenshots, with
// Debian's Chromium through puppeteer-core (installed for the browser tests):
//   node weigh.mjs URL SCREENSHOT_PREFIX [viewer]
// Prints one JSON line: the bytes loaded to show the page at phone size
// (390 x 844 at 3x) and at desktop size (1280 x 900), before any click
// and after scrolling to the end; with "viewer", also the bytes a click on
// the first thumbnail loads on the phone, by file, and what zooming in on
// it then loads, with screenshots of the viewer zoomed on both screens.
import {createRequire} from 'node:module';
import {mkdtempSync, rmSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const require = createRequire(new URL('../../tests/browser/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const [url, shots, viewer] = process.argv.slice(2);

const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const desktop = {width: 1280, height: 900, deviceScaleFactor: 1};
const settle = () => new Promise(r => setTimeout(r, 1500));
// A double click a little above the middle of the viewer's picture.
async function zoomIn(page) {
  const [x, y] = await page.evaluate(() => {
    const r = document.querySelector('dialog.viewer .stage').getBoundingClientRect();
    return [(r.left + r.right) / 2, r.top + r.height * 0.4];
  });
  await page.mouse.click(x, y, {clickCount: 2});
  await settle();
}

const profile = mkdtempSync(path.join(os.tmpdir(), 'vintora-weigh-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});

// A fresh page whose loads are summed by the bytes that came over the wire.
async function watched(viewport) {
  const page = await browser.newPage();
  await page.setCacheEnabled(false);
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  const files = new Map();
  const urls = new Map();
  cdp.on('Network.requestWillBeSent', e => urls.set(e.requestId, e.request.url));
  cdp.on('Network.loadingFinished', e => {
    const u = urls.get(e.requestId);
    if (u) files.set(u, (files.get(u) || 0) + e.encodedDataLength);
  });
  await page.setViewport(viewport);
  const total = () => [...files.values()].reduce((a, b) => a + b, 0);
  return {page, files, total};
}

const result = {};
for (const [name, viewport] of [['phone', phone], ['desktop', desktop]]) {
  const {page, total} = await watched(viewport);
  await page.goto(url, {waitUntil: 'networkidle0'});
  await settle();
  result[`${name}_first_view`] = total();
  await page.screenshot({path: `${shots}-${name}.png`});
  await page.evaluate(async () => {
    for (let y = 0; y < document.body.scrollHeight; y += innerHeight / 2) {
      scrollTo(0, y);
      await new Promise(r => setTimeout(r, 100));
    }
  });
  await settle();
  result[`${name}_scrolled`] = total();
  await page.close();
}

if (viewer) {
  const {page, files, total} = await watched(phone);
  await page.goto(url, {waitUntil: 'networkidle0'});
  await settle();
  const before = total();
  const seen = new Set(files.keys());
  await page.click('.gallery li:nth-child(1) a');
  await settle();
  result.viewer_click = total() - before;
  result.viewer_files = Object.fromEntries([...files].filter(([u]) => !seen.has(u))
    .map(([u, b]) => [decodeURIComponent(new URL(u).pathname), b]));
  await page.screenshot({path: `${shots}-viewer-phone.png`});
  const zoomed = total();
  await zoomIn(page);
  result.viewer_zoom = total() - zoomed;
  await page.screenshot({path: `${shots}-viewer-zoomed-phone.png`});
  await page.close();

  const {page: wide} = await watched(desktop);
  await wide.goto(url, {waitUntil: 'networkidle0'});
  await wide.click('.gallery li:nth-child(1) a');
  await settle();
  await zoomIn(wide);
  await wide.screenshot({path: `${shots}-viewer-zoomed-desktop.png`});
  await wide.close();
}

await browser.close();
rmSync(profile, {recursive: true, force: true});
console.log(JSON.stringify(result));
