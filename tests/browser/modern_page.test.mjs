// The modern page in Debian's Chromium, driven through the DevTools
// protocol: on a phone and on a desktop, from file:// and over HTTP.
// vintora-cli makes the page of the pictures the sample tool draws (and one
// with a title of one long word):
//   node modern_page.test.mjs SAMPLE_TOOL VINTORA_CLI WORK_FOLDER
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync, spawnSync} from 'node:child_process';
import {copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import {crc32, deflateSync} from 'node:zlib';
import puppeteer from 'puppeteer-core';
import {albumPage, follow, layoutFacts, near, pixelAt, serve, viewerState} from './page_facts.mjs';

const [sampleTool, cli, work] = process.argv.slice(2);

// The sample's pictures in page order, with their sizes.
const pictures = [
  ['alpha.jpg', 3000, 2000],
  ['"onerror=alert(1).jpg', 1600, 1200],
  ['<img src=x onerror=alert(2)>.jpg', 1200, 1800],
  ['<!--.jpg', 800, 600],
  ['${alert(3)}.jpg', 2400, 3200],
  ['line\u2028break.jpg', 1000, 1000],
  ["Tom & Jerry's.jpg", 2600, 1300],
  ['日本 の写真.jpg', 1500, 1000],
  ['hash#1 50%.png', 640, 480],
  ['comma, too.jpg', 2100, 1400],
  ['wide.jpg', 3000, 1000],
  ['last.jpg', 1300, 1950],
];
const count = pictures.length;
const longWord = 'W'.repeat(200);
const [lens, exposure, description] = ['EF 24-105mm f/4L', '1/250 s, f/8, ISO 100', 'Tram 28 up the hill'];

const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const small = {width: 320, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
const desktop = {width: 1280, height: 900, deviceScaleFactor: 1};

let browser, server, origin, profile;
const problems = []; // script errors and dialogs of any page

before(async () => {
  rmSync(work, {recursive: true, force: true});
  execFileSync(sampleTool, [path.join(work, 'pictures')]);
  // In the pictures' order, as a list of files gives them.
  const files = pictures.map(p => path.join(work, 'pictures', p[0]));
  for (const layout of ['table', 'generic']) {
    mkdirSync(path.join(work, layout));
    execFileSync(cli, ['-q', '-o', path.join(work, layout), '--layout', layout, '--modern', ...files]);
  }
  // A trip by days, two levels deep: the top page holds albums alone.
  for (const [folder, name] of [['Day 1', 'alpha.jpg'], ['Day 1', 'wide.jpg'],
                                ['Day 1/Morning', 'last.jpg'], ['Day 2', 'comma, too.jpg']]) {
    mkdirSync(path.join(work, 'trip', folder), {recursive: true});
    copyFileSync(path.join(work, 'pictures', name), path.join(work, 'trip', folder, name));
  }
  // By name: copies made in the same instant would order the albums by chance.
  execFileSync(cli, ['-q', '-o', path.join(work, 'albums'), '--modern', '--order', 'name', '--title', 'Trip',
                     path.join(work, 'trip')]);
  mkdirSync(path.join(work, 'download'));
  execFileSync(cli, ['-q', '-o', path.join(work, 'download'), '--modern', '--zip', files[0], files[1]]);
  mkdirSync(path.join(work, 'long'));
  execFileSync(cli, ['-q', '-o', path.join(work, 'long'), '--modern', '--title', longWord, files[0]]);
  // The sample pictures carry a date and a camera; the lens, the exposure
  // and a description go on a copy of the page as the writer puts them,
  // so that the facts line and the caption are seen with all of them.
  const page = readFileSync(path.join(work, 'table', 'index.html'), 'utf8');
  const described = page
    .replace('data-camera="Canon EOS 80D" data-name="alpha.jpg"',
             `data-camera="Canon EOS 80D" data-lens="${lens}" data-exposure="${exposure}"`)
    .replace(/alt="alpha" (.*?)<\/a><\/li>/, `alt="${description}" $1</a><p class="caption" aria-hidden="true">${description}</p></li>`);
  assert.notEqual(described.indexOf(lens), -1);
  assert.notEqual(described.indexOf('class="caption"'), -1);
  writeFileSync(path.join(work, 'table', 'described.html'), described);
  server = serve(work);
  await new Promise(done => server.listen(0, '127.0.0.1', done));
  origin = `http://127.0.0.1:${server.address().port}`;
  profile = mkdtempSync(path.join(os.tmpdir(), 'vintora-chromium-'));
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (profile) rmSync(profile, {recursive: true, force: true});
});

function pageUrl(how, layout, name = 'index.html') {
  return how === 'http' ? `${origin}/${layout}/${name}`
                        : pathToFileURL(path.join(work, layout, name)).href;
}

async function open(viewport, how = 'http', layout = 'table', hash = '', name = 'index.html') {
  const page = await browser.newPage();
  page.on('pageerror', e => problems.push(`script error: ${e.message}`));
  page.on('dialog', d => { problems.push(`dialog: ${d.message()}`); d.dismiss(); });
  await page.setViewport(viewport);
  await page.goto(pageUrl(how, layout, name) + hash, {waitUntil: 'load'});
  return page;
}

// Scrolls through the page so that every lazy thumbnail loads.
async function loadAll(page) {
  await page.evaluate(async () => {
    for (let y = 0; y < document.body.scrollHeight; y += innerHeight / 2) {
      scrollTo(0, y);
      await new Promise(r => setTimeout(r, 50));
    }
  });
  await page.waitForFunction(() => [...document.images].every(i => i.complete), {timeout: 20000});
}

const hashOf = i => '#' + encodeURIComponent(pictures[i][0].replaceAll(' ', '_'));

// Every row but the last spans the width at one height; the last keeps
// the row height, never taller than the others.
function assertJustified(facts, label) {
  const full = facts.rows.slice(0, -1);
  assert.ok(full.length >= 2, `${label}: ${full.length} full rows`);
  for (const row of full) {
    const span = row.at(-1).right - row[0].left;
    assert.ok(span >= 0.95 * facts.content, `${label}: a row spans ${span} of ${facts.content}`);
    for (const box of row)
      assert.ok(Math.abs(box.height - row[0].height) <= 1, `${label}: heights ${row.map(b => b.height)}`);
  }
  const last = facts.rows.at(-1);
  assert.ok(last[0].height <= Math.max(...full.map(row => row[0].height)) + 1);
}

// Wider than 2.5 : 1, a picture may take a phone's row alone, and so may
// the one before it.
const wide = i => pictures[i][1] / pictures[i][2] > 2.5;

// The thumbnail file a screen picks: the 2x one only where the 1x one,
// 220 pixels high, is not sharp enough at the row's height.
for (const [label, viewport, rowHeight, thumbnail] of [
  ['phone, 390 wide', phone, [100, 250], /\/thumbs\/[^/]+$/],
  ['320 wide', small, [80, 250], /\/thumbs\/1x\//],
  ['desktop, 1280 wide', desktop, [200, 300], /\/thumbs\/1x\//]]) {
  for (const how of ['http', 'file']) {
    test(`${label}, ${how}: justified rows, no sideways scrolling, thumbnails in proportion, no names`, async () => {
      const page = await open(viewport, how);
      await loadAll(page);
      const facts = await layoutFacts(page);
      assert.equal(facts.sideways, 0);
      assertJustified(facts, label);
      for (const row of facts.rows.slice(0, -1)) {
        const height = Math.round(row[0].height);
        assert.ok(height >= rowHeight[0] && height <= rowHeight[1], `${label}: a row ${height} high`);
        if (viewport.isMobile)
          assert.ok(row.length >= 2 || wide(row[0].index) || wide(row[0].index + 1),
                    `${label}: ${pictures[row[0].index][0]} alone in its row`);
      }
      assert.equal(facts.images.length, count);
      facts.images.forEach((image, i) => {
        const [w, h] = [pictures[i][1], pictures[i][2]];
        assert.ok(image.natural[0] > 0, `${pictures[i][0]} did not load`);
        assert.ok(Math.abs(image.shown[1] - image.shown[0] * h / w) <= 1.5,
                  `${pictures[i][0]} shown ${image.shown}`);
        assert.match(image.src, thumbnail);
      });
      // No file name stands under a thumbnail; it is the alternative text.
      assert.deepEqual(facts.texts, pictures.map(() => ''));
      assert.deepEqual(facts.alts, pictures.map(p => p[0].replace(/\.[^.]*$/, '')));
      await page.close();
    });
  }
}

test('a title of one long word breaks within the screen, the page follows a dark system', async () => {
  const page = await open(phone, 'http', 'long');
  const h1 = await page.evaluate(() => {
    const h1 = document.querySelector('h1');
    return {lines: Math.round(h1.getBoundingClientRect().height / parseFloat(getComputedStyle(h1).lineHeight)),
            wrap: getComputedStyle(h1).overflowWrap,
            sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth};
  });
  assert.equal(h1.sideways, 0);
  assert.equal(h1.wrap, 'break-word');
  assert.ok(h1.lines >= 3, `${h1.lines} lines`);
  assert.deepEqual(await pixelAt(page, 2, 2), [255, 255, 255]);
  await page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: 'dark'}]);
  assert.deepEqual(await pixelAt(page, 2, 2), [18, 18, 18]);
  await page.close();
});

test('the viewer on a phone: click, arrows, swipe, turning, Escape, Enter, Back, the full size', async () => {
  const page = await open(phone);
  // The neighbours are asked for ahead, in their screen sizes. The last is
  // portrait: at the phone's width its 1280 copy is 853 wide, enough at 2x,
  // where the viewer counts a 3x screen.
  const ahead = Promise.all(['/screen/1280/"onerror=alert(1).jpg', '/screen/1280/last.jpg'].map(end =>
    page.waitForRequest(r => decodeURIComponent(r.url()).endsWith(end), {timeout: 10000})));
  ahead.catch(() => {});
  await page.click('.gallery li:nth-child(1) a');
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').complete);
  let state = await viewerState(page);
  assert.equal(state.open, true);
  assert.equal(state.hash, '#alpha.jpg');
  assert.equal(state.label, 'alpha.jpg');
  assert.match(state.info, /^1 \/ 12alpha\.jpg.*2024.*Canon EOS 80D$/);
  assert.match(state.src, /\/screen\/1280\/alpha\.jpg$/);
  assert.equal(state.loaded, true);
  assert.equal(state.focus, 'Close');
  assert.equal(state.full, `${origin}/table/alpha.jpg`);
  await ahead;
  // The whole landscape picture fits the tall screen: black above it, its
  // own colour out to both edges.
  const stage = await page.evaluate(() => {
    const r = document.querySelector('dialog.viewer .stage').getBoundingClientRect();
    return {top: r.top, middle: (r.top + r.bottom) / 2, right: r.right};
  });
  assert.deepEqual(await pixelAt(page, 195, stage.top + 4), [0, 0, 0]);
  for (const x of [1, stage.right - 2]) {
    const colour = await pixelAt(page, x, stage.middle + 60);
    assert.ok(near(colour, [200, 90, 90]), `${colour} at the edge`);
  }

  await page.keyboard.press('ArrowRight');
  state = await viewerState(page);
  assert.match(state.info, /^2 \/ 12"onerror=alert\(1\)\.jpg$/);
  assert.equal(state.hash, hashOf(1));
  // Without date or camera nothing follows the name.
  assert.equal(state.seen, '2 / 12 \u00b7 "onerror=alert(1).jpg');
  assert.equal(state.live, '2 / 12"onerror=alert(1).jpg');
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('ArrowLeft');
  state = await viewerState(page);
  assert.match(state.info, /^12 \/ 12last\.jpg$/);

  await page.touchscreen.touchStart(300, 400);
  await page.touchscreen.touchMove(80, 410);
  await page.touchscreen.touchEnd();
  state = await viewerState(page);
  assert.match(state.info, /^1 \/ 12alpha\.jpg/);
  await page.touchscreen.touchStart(80, 400);
  await page.touchscreen.touchMove(300, 410);
  await page.touchscreen.touchEnd();
  state = await viewerState(page);
  assert.match(state.info, /^12 \/ 12last\.jpg$/);
  await page.keyboard.press('ArrowLeft');
  state = await viewerState(page);
  assert.match(state.info, /^11 \/ 12wide\.jpg$/);
  assert.equal(state.sizes, '260px');

  // Turned sideways, the picture takes the new width (two thirds of it at 3x).
  await page.evaluate(() => {
    window.turned = new Promise(r => addEventListener('resize', r, {once: true}));
  });
  await page.setViewport({...phone, width: 844, height: 390, isLandscape: true});
  await page.evaluate(() => window.turned);
  assert.equal((await viewerState(page)).sizes, '563px');

  // Closing gives the focus to the thumbnail of the picture last shown.
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => location.hash === '');
  state = await viewerState(page);
  assert.equal(state.open, false);
  assert.equal(state.focus, 10);

  await page.focus('.gallery li:nth-child(3) a');
  await page.keyboard.press('Enter');
  state = await viewerState(page);
  assert.equal(state.open, true);
  assert.match(state.info, /^3 \/ 12<img src=x onerror=alert\(2\)>\.jpg$/);
  assert.equal(state.hash, hashOf(2));
  assert.equal(state.focus, 'Close');
  assert.equal(state.outline, 'rgb(153, 204, 255) solid 3px');
  await page.goBack();
  await page.waitForFunction(() => !document.querySelector('dialog.viewer').open);
  state = await viewerState(page);
  assert.equal(state.hash, '');
  assert.equal(state.focus, 2);

  await page.click('.gallery li:nth-child(7) a');
  await Promise.all([page.waitForNavigation(), page.click('dialog.viewer a.full')]);
  assert.equal(decodeURIComponent(page.url()), `${origin}/table/Tom & Jerry's.jpg`);
  const natural = await page.evaluate(() => [document.images[0].naturalWidth, document.images[0].naturalHeight]);
  assert.deepEqual(natural, [2600, 1300]);
  await page.close();
});

test('a shared address opens its picture, the close button leaves it; Back closes, also from file://', async () => {
  for (const how of ['http', 'file']) {
    const page = await open(phone, how, 'table', hashOf(4));
    let state = await viewerState(page);
    assert.equal(state.open, true, how);
    assert.match(state.info, /^5 \/ 12\$\{alert\(3\)\}\.jpg$/);
    await page.click('dialog.viewer button.close');
    // The dialog's close event, which tidies the address, comes as a task.
    await page.waitForFunction(() => location.hash === '');
    state = await viewerState(page);
    assert.equal(state.open, false);
    assert.equal(state.hash, '');
    // Opening adds the picture to the history there too; Back closes.
    await page.click('.gallery li:nth-child(2) a');
    assert.equal((await viewerState(page)).hash, hashOf(1));
    await page.goBack();
    await page.waitForFunction(() => !document.querySelector('dialog.viewer').open);
    assert.equal((await viewerState(page)).hash, '');
    await page.close();
  }
});

// The picture's zoom as the screen shows it, once it has settled at
// scale (to two places); its place on the stage in pixels.
async function zoomBecomes(page, scale) {
  const now = () => page.evaluate(() => {
    const m = new DOMMatrix(getComputedStyle(document.querySelector('dialog.viewer .shown')).transform);
    return {scale: Math.round(m.a * 100) / 100, x: m.e, y: m.f};
  });
  try {
    await page.waitForFunction(s => Math.round(new DOMMatrix(getComputedStyle(
      document.querySelector('dialog.viewer .shown')).transform).a * 100) / 100 === s, {timeout: 5000}, scale);
  } catch {
    assert.fail(`the zoom stays at ${JSON.stringify(await now())}, not ${scale}`);
  }
  return now();
}

test('the viewer on a desktop: zoom by double click, keys, wheel; a drag moves it; the full size; Home, End', async () => {
  const page = await open(desktop);
  await page.click('.gallery li:nth-child(1) a');
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').complete);
  assert.match((await viewerState(page)).src, /\/screen\/1280\/alpha\.jpg$/);
  const middle = await page.evaluate(() => {
    const r = document.querySelector('dialog.viewer .stage').getBoundingClientRect();
    return [(r.left + r.right) / 2, (r.top + r.bottom) / 2];
  });
  // Zoomed past the copy's detail, the picture itself takes its place.
  const fullSize = page.waitForRequest(r => decodeURIComponent(r.url()).endsWith('/table/alpha.jpg'),
                                       {timeout: 10000});
  await page.mouse.click(...middle, {clickCount: 2});
  await zoomBecomes(page, 2.5);
  await fullSize;
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').currentSrc.endsWith('/alpha.jpg'));

  await page.keyboard.press('+');
  await zoomBecomes(page, 3.75);
  await page.keyboard.press('-');
  await page.keyboard.press('-');
  await zoomBecomes(page, 1.67);
  await page.mouse.wheel({deltaY: -100});
  const before = await zoomBecomes(page, 2.33);
  await page.mouse.down();
  await page.mouse.move(middle[0] - 200, middle[1] - 100, {steps: 4});
  await page.mouse.up();
  const after = await zoomBecomes(page, 2.33);
  assert.deepEqual([Math.round(after.x - before.x), Math.round(after.y - before.y)], [-200, -100]);
  await page.mouse.click(middle[0] - 200, middle[1] - 100, {clickCount: 2});
  assert.deepEqual(await zoomBecomes(page, 1), {scale: 1, x: 0, y: 0});

  await page.keyboard.press('End');
  let state = await viewerState(page);
  assert.match(state.info, /^12 \/ 12last\.jpg$/);
  assert.equal(state.hash, hashOf(11));
  await page.keyboard.press('Home');
  assert.match((await viewerState(page)).info, /^1 \/ 12alpha\.jpg/);
  // A new picture comes fitted.
  await page.keyboard.press('+');
  await zoomBecomes(page, 1.5);
  await page.keyboard.press('ArrowRight');
  await zoomBecomes(page, 1);
  await page.close();
});

test("the viewer's full screen and download buttons", async () => {
  const page = await open(desktop);
  await page.click('.gallery li:nth-child(7) a');
  const download = await page.evaluate(() => {
    const a = document.querySelector('dialog.viewer a.download');
    return {href: a.href, download: a.hasAttribute('download'), label: a.getAttribute('aria-label')};
  });
  assert.deepEqual(download, {href: `${origin}/table/Tom%20&%20Jerry's.jpg`, download: true, label: 'Download'});
  await page.click('dialog.viewer button.fullscreen');
  await page.waitForFunction(() => document.fullscreenElement?.className === 'frame');
  assert.equal((await viewerState(page)).focus, 'Full screen');
  await page.keyboard.press('f');
  await page.waitForFunction(() => !document.fullscreenElement);
  assert.equal((await viewerState(page)).open, true);
  await page.close();
});

test('on a phone a pinch and a double tap zoom the picture', async () => {
  const page = await open(phone);
  await page.click('.gallery li:nth-child(1) a');
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').complete);
  const cdp = await page.createCDPSession();
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent',
    {type, touchPoints: points.map(([x, y], id) => ({x, y, id}))});
  await touch('touchStart', [[150, 420], [240, 420]]);
  await touch('touchMove', [[100, 420], [290, 420]]);
  await touch('touchMove', [[60, 420], [330, 420]]);
  await touch('touchEnd', []);
  await zoomBecomes(page, 3);
  // Zoomed, a swipe moves the picture and stays on it.
  await page.touchscreen.touchStart(300, 400);
  await page.touchscreen.touchMove(200, 400);
  await page.touchscreen.touchEnd();
  assert.match((await viewerState(page)).info, /^1 \/ 12alpha\.jpg/);
  await page.touchscreen.tap(195, 420);
  await page.touchscreen.tap(195, 420);
  await zoomBecomes(page, 1);
  await page.touchscreen.tap(195, 420);
  await page.touchscreen.tap(195, 420);
  await zoomBecomes(page, 2.5);
  await page.close();
});

test('the facts line shows what the picture holds; its description is the caption', async () => {
  const page = await open(desktop, 'http', 'table', '', 'described.html');
  const opacity = () => page.evaluate(() => getComputedStyle(document.querySelector('.caption')).opacity);
  assert.equal(await opacity(), '0');
  await page.hover('.gallery li:nth-child(1)');
  assert.equal(await opacity(), '1');
  await page.mouse.move(640, 5);
  assert.equal(await opacity(), '0');
  await page.focus('.gallery li:nth-child(1) a');
  assert.equal(await opacity(), '1');
  await page.keyboard.press('Enter');
  let state = await viewerState(page);
  assert.equal(state.label, description);
  assert.match(state.seen, new RegExp('^1 / 12 \u00b7 [^\u00b7]*2024[^\u00b7]* \u00b7 Canon EOS 80D \u00b7 ' +
    'EF 24-105mm f/4L \u00b7 1/250 s, f/8, ISO 100 \u00b7 Tram 28 up the hill$'));
  // Nothing where the picture holds nothing.
  await page.keyboard.press('ArrowRight');
  state = await viewerState(page);
  assert.equal(state.seen, '2 / 12 \u00b7 "onerror=alert(1).jpg');
  await page.close();
});

test('a desktop at twice the density takes the 2048 copy; Ctrl-click opens a new tab', async () => {
  const page = await open({...desktop, deviceScaleFactor: 2});
  // With Ctrl the browser has the click: the picture opens in a tab of its own.
  const tab = browser.waitForTarget(t => decodeURIComponent(t.url()).endsWith('/table/wide.jpg'),
                                    {timeout: 10000});
  await page.keyboard.down('Control');
  await page.click('.gallery li:nth-child(11) a');
  await page.keyboard.up('Control');
  await (await (await tab).page())?.close();
  assert.equal(await page.evaluate(() => document.querySelector('dialog.viewer')?.open ?? false), false);
  await page.click('.gallery li:nth-child(1) a');
  await page.waitForFunction(() => document.querySelector('dialog.viewer img').complete);
  assert.match((await viewerState(page)).src, /\/screen\/2048\/alpha\.jpg$/);
  await page.close();
});

test('without script every thumbnail is a plain link to its picture', async () => {
  const page = await browser.newPage();
  await page.setJavaScriptEnabled(false);
  await page.goto(pageUrl('http', 'table'));
  await Promise.all([page.waitForNavigation(), page.click('.gallery li:nth-child(2) a')]);
  assert.equal(decodeURIComponent(page.url()), `${origin}/table/"onerror=alert(1).jpg`);
  await page.close();
});

test('album cards and the trail lead to every page and back', async () => {
  const day1 = {title: 'Day 1', heading: 'Day 1', trail: ['Trip'], cards: [['Morning', '1 picture', true]],
                grid: 2, emptyGrid: 0};
  for (const viewport of [phone, desktop]) {
    const page = await open(viewport, 'http', 'albums');
    assert.deepEqual(await albumPage(page), {title: 'Trip', heading: 'Trip', trail: [], grid: 0, emptyGrid: 0,
      cards: [['Day 1', '3 pictures', true], ['Day 2', '1 picture', true]]});
    assert.deepEqual(await follow(page, '.albums', 'Day 1'), day1);
    assert.deepEqual(await follow(page, '.albums', 'Morning'), {title: 'Morning', heading: 'Morning',
      trail: ['Trip', 'Day 1'], cards: [], grid: 1, emptyGrid: 0});
    assert.deepEqual(await follow(page, '.trail', 'Day 1'), day1);
    assert.equal((await follow(page, '.trail', 'Trip')).title, 'Trip');
    assert.deepEqual(await follow(page, '.albums', 'Day 2'), {title: 'Day 2', heading: 'Day 2',
      trail: ['Trip'], cards: [], grid: 1, emptyGrid: 0});
    assert.equal((await follow(page, '.trail', 'Trip')).title, 'Trip');
    await page.close();
  }
});

test('the zip is linked under the title with its size, reached by Tab, in the light and dark scheme; none without it', async () => {
  const bytes = statSync(path.join(work, 'download', 'download.zip')).size;
  const page = await open(desktop, 'http', 'download');
  await page.keyboard.press('Tab');
  const focused = await page.evaluate(() => {
    const link = document.activeElement;
    return {text: link.textContent, href: link.href, download: link.hasAttribute('download'),
            under: link.closest('p').previousElementSibling.tagName, color: getComputedStyle(link).color};
  });
  assert.deepEqual(focused, {text: `Download all 2 pictures (zip, ${(bytes / 1000).toFixed(1)} kB)`,
                             href: `${origin}/download/download.zip`, download: true, under: 'H1',
                             color: 'rgb(11, 87, 208)'});
  await page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: 'dark'}]);
  assert.equal(await page.evaluate(() => getComputedStyle(document.activeElement).color), 'rgb(138, 180, 248)');
  await page.close();
  const without = await open(desktop, 'http', 'table');
  assert.deepEqual(await without.evaluate(() => [...document.querySelectorAll('a')]
    .filter(a => a.textContent.startsWith('Download')).length), 0);
  await without.close();
});

// A PNG of width x height, red above and blue below, so that a turn or a
// flip shows.
function redOverBluePng(width, height) {
  const chunk = (type, data) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(data.length);
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(crc32(Buffer.concat([Buffer.from(type, 'latin1'), data])));
    return Buffer.concat([length, Buffer.from(type, 'latin1'), data, crc]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8); // 8 bits, RGB
  const rows = Buffer.alloc((3 * width + 1) * height);
  for (let y = 0; y < height; y++)
    for (let x = 0; x < width; x++)
      rows.set(y < height / 2 ? [255, 0, 0] : [0, 0, 255], y * (3 * width + 1) + 1 + 3 * x);
  return Buffer.concat([Buffer.from('\x89PNG\r\n\x1a\n', 'latin1'), chunk('IHDR', header),
                        chunk('IDAT', deflateSync(rows)), chunk('IEND', Buffer.alloc(0))]);
}

const reddish = ([r, g, b]) => r > 190 && g < 70 && b < 70;
const bluish = ([r, g, b]) => b > 190 && r < 70 && g < 70;

// Red on top and blue below, where the element stands on the screen.
async function rightWayUp(page, selector) {
  const box = await page.$eval(selector, e => {
    const r = e.getBoundingClientRect();
    return {x: r.x, y: r.y, width: r.width, height: r.height};
  });
  const x = Math.round(box.x + box.width / 2);
  const top = await pixelAt(page, x, Math.round(box.y + box.height / 4));
  const bottom = await pixelAt(page, x, Math.round(box.y + 3 * box.height / 4));
  return reddish(top) && bluish(bottom) ? 'up' : `top ${top}, bottom ${bottom}`;
}

test('a phone\'s HEIC, AVIF and WebP: thumbnails and the viewer show them loaded, in proportion, the right way up', async t => {
  // Outside CI a missing heif-enc or cwebp (libheif-examples, webp) skips this test.
  const missing = ['heif-enc', 'cwebp'].filter(tool => spawnSync(tool, ['-h']).error);
  if (missing.length && !process.env.CI) {
    t.skip(`${missing.join(' and ')} missing`);
    return;
  }
  const made = path.join(work, 'phone-pictures');
  mkdirSync(made, {recursive: true});
  const source = path.join(work, 'red-over-blue.png');
  writeFileSync(source, redOverBluePng(600, 400));
  execFileSync('heif-enc', ['-q', '80', source, '-o', path.join(made, 'IMG_1.HEIC')]);
  execFileSync('heif-enc', ['-A', '-q', '80', source, '-o', path.join(made, 'shot.avif')]);
  execFileSync('cwebp', ['-quiet', source, '-o', path.join(made, 'shot.webp')]);
  mkdirSync(path.join(work, 'phone'));
  execFileSync(cli, ['-q', '-o', path.join(work, 'phone'), '--modern', '--order', 'name', made]);

  const page = await open(desktop, 'http', 'phone');
  await loadAll(page);
  const facts = await layoutFacts(page);
  assert.deepEqual(facts.images.map(i => i.src.replace(/.*\//, '')),
                   ['IMG_1.HEIC.jpg', 'shot.avif.jpg', 'shot.webp.jpg']);
  for (const [i, image] of facts.images.entries()) {
    assert.ok(image.natural[0] > 0, `thumbnail ${i} did not load`);
    assert.ok(Math.abs(image.natural[0] / image.natural[1] - 1.5) < 0.01, `thumbnail ${i}: ${image.natural}`);
    assert.ok(Math.abs(image.shown[0] / image.shown[1] - 1.5) < 0.02, `thumbnail ${i} shown ${image.shown}`);
    assert.equal(await rightWayUp(page, `.gallery li:nth-child(${i + 1}) img`), 'up');
  }
  for (const [i, full] of ['IMG_1.HEIC.jpg', 'shot.avif', 'shot.webp'].entries()) {
    await page.click(`.gallery li:nth-child(${i + 1}) a`);
    await page.waitForFunction(() => {
      const shown = document.querySelector('dialog.viewer img');
      return document.querySelector('dialog.viewer').open && shown.complete && shown.naturalWidth > 0;
    });
    const state = await viewerState(page);
    assert.ok(state.src.endsWith('/' + full), state.src);
    assert.ok(state.full.endsWith('/' + full), state.full);
    const natural = await page.$eval('dialog.viewer img', e => [e.naturalWidth, e.naturalHeight]);
    assert.deepEqual(natural, [600, 400]);
    assert.equal(await rightWayUp(page, 'dialog.viewer img'), 'up');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.querySelector('dialog.viewer').open);
  }
  await page.close();
});

test('no script error and no dialog on any page', () => {
  assert.deepEqual(problems, []);
});

test('the Nu HTML checker has nothing to say about either page', () => {
  const jar = fileURLToPath(new URL('node_modules/vnu-jar/build/dist/vnu.jar', import.meta.url));
  const pages = ['table', 'generic', 'long', 'download', 'albums', 'albums/Day 1', 'albums/Day 1/Morning']
    .map(layout => path.join(work, layout, 'index.html'));
  const check = spawnSync('java', ['-jar', jar, '--also-check-css', '--format', 'json', ...pages],
                          {encoding: 'utf8'});
  assert.deepEqual(JSON.parse(check.stderr).messages, []);
});
