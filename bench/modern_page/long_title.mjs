// Times how long the modern page's style sheet takes to lay out a heading
// of one long word, in Debian's Chromium through puppeteer-core:
//   node long_title.mjs URL
// Prints one JSON line: for a word of 200 and of 120,000 characters, the
// milliseconds the first layout of the heading took at phone width, the
// median of five.
import {createRequire} from 'node:module';
import {mkdtempSync, rmSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const require = createRequire(new URL('../../tests/browser/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const [url] = process.argv.slice(2);

const profile = mkdtempSync(path.join(os.tmpdir(), 'vintora-title-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
await page.setViewport({width: 390, height: 844, deviceScaleFactor: 3, isMobile: true});
await page.goto(url, {waitUntil: 'load'});
const result = {};
for (const length of [200, 120000]) {
  result[`${length}_characters_ms`] = await page.evaluate(n => {
    const times = [];
    for (let run = 0; run < 5; ++run) {
      const h1 = document.createElement('h1');
      h1.textContent = 'W'.repeat(n - 1) + run;
      const start = performance.now();
      document.body.prepend(h1);
      h1.getBoundingClientRect();
      times.push(performance.now() - start);
      h1.remove();
    }
    return Math.round(times.sort((a, b) => a - b)[2] * 10) / 10;
  }, length);
}
await browser.close();
rmSync(profile, {recursive: true, force: true});
console.log(JSON.stringify(result));
