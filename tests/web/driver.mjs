// Drives the web build in Debian's Chromium (headless, software rendering) through one scenario and
// leaves what it saw for tests/web/test_web.sh to judge: canvas pictures taken together with the
// frame and console counters, one screenshot of the page, the browser console, the page's state after
// Escape, "1.txt" from the page's file system and where the canvas lands in windows of other shapes.
// Usage: node driver.mjs BUILD_WEB_DIR OUTPUT_DIR
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [buildDir, outDir] = process.argv.slice(2);
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
const TIMEOUT_MS = 60000;
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// The page, served from build-web/ on 127.0.0.1 (wasm is fetched over http, not from file:).
function serve(root) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html');
    fs.readFile(path.join(root, path.normalize(name)), (error, data) => {
      if (error) { response.writeHead(404); response.end(); return; }
      response.writeHead(200, { 'content-type': TYPES[path.extname(name)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const server = await serve(buildDir);
const url = `http://127.0.0.1:${server.address().port}/`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'splines-chromium-'));
const browser = await puppeteer.launch({
  executablePath: CHROMIUM,
  headless: true,
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--no-first-run', '--disable-background-timer-throttling', `--user-data-dir=${profile}`],
});
const steps = [];
const facts = {};
const consoleLines = [];
try {
  const page = await browser.newPage();
  page.setDefaultTimeout(TIMEOUT_MS);
  await page.setViewport({ width: 1024, height: 768 });
  // A frame's console lines come in one message.
  const onConsole = (message) => { if (message.type() === 'log') consoleLines.push(...message.text().split('\n')); };
  page.on('console', onConsole);
  // The frame gate: the viewer draws its frames in requestAnimationFrame callbacks; the gate holds them
  // once the page has drawn gate.until frames, and release() lets it go on to a new count.
  await page.evaluateOnNewDocument(() => {
    const realFrame = window.requestAnimationFrame.bind(window);
    const gate = { until: 0, held: [] };
    gate.release = (until) => {
      gate.until = until;
      for (const callback of gate.held.splice(0)) realFrame(callback);
    };
    window.frameGate = gate;
    window.requestAnimationFrame = (callback) => realFrame((time) => {
      if (window.Module && Module.framesDrawn >= gate.until) gate.held.push(callback);
      else callback(time);
    });
  });
  facts.page_errors = 0;
  const onPageError = (error) => {
    if (error.name === 'ExitStatus') return;
    facts.page_errors++;
    console.error('page error:', error.message);
  };
  page.on('pageerror', onPageError);
  await page.goto(url);

  const frames = () => page.evaluate(() => Module.framesDrawn);
  // Runs the viewer until it has drawn n frames in all, then holds it there.
  const runTo = async (n) => {
    await page.evaluate((until) => frameGate.release(until), n);
    await page.waitForFunction((until) => Module.framesDrawn >= until, { polling: 20 }, n);
  };
  // The canvas with the counters of the same moment: no frame can come between them.
  const capture = async (name) => {
    const shot = await page.evaluate(() => ({
      png: Module.canvas.toDataURL('image/png'), frames: Module.framesDrawn, lines: Module.linesPrinted }));
    fs.writeFileSync(path.join(outDir, `${name}.png`), Buffer.from(shot.png.split(',')[1], 'base64'));
    steps.push([name, shot.frames, shot.lines]);
  };
  const keys = async (...names) => { for (const key of names) await page.keyboard.press(key); };

  // Keys typed at fixed frames, so that the run's random colours have drawn the same values before z
  // and n places the same random sites on every run. Frame f shows the exit hint when f % 20 >= 10.
  await runTo(15);
  await capture('web-start');
  await page.screenshot({ path: path.join(outDir, 'web-page.png') });
  await keys('z');
  await runTo(18);
  await capture('web-cleared');
  await runTo(40);
  await capture('web-cleared-later');
  for (const k of [1, 2, 3]) {
    await keys('n');
    await runTo(40 + 2 * k);
    await capture(`web-site-${k}`);
  }
  await keys('x');
  await runTo(49);
  await capture('web-spline-1');
  await keys('q');
  await runTo(52);
  await capture('web-table');
  await keys('a');  // one spline: refused
  await runTo(57);
  await capture('web-refused');
  await keys('n', 'n', 'n', 'x');
  await runTo(60);
  await capture('web-spline-2');
  await keys('m', 'h');  // site 0 of spline 0: a yellow curve and the lit sphere on the site
  await runTo(63);
  await capture('web-selected');
  await keys('a');
  await runTo(66);
  await capture('web-run-1');
  await runTo(76);
  await capture('web-run-2');

  await keys('Escape');
  await page.waitForSelector('body[data-state="stopped"]');
  facts.stopped_text = await page.$eval('#status', (e) => (e.hidden ? '' : e.textContent));
  facts.scratch = await page.evaluate(() => Module.FS.readFile('1.txt', { encoding: 'utf8' }));
  facts.frames_after_exit = await frames();
  await page.evaluate(() => frameGate.release(Infinity));
  await new Promise((resolve) => setTimeout(resolve, 500));
  facts.frames_later = await frames();
  const printed = await page.evaluate(() => Module.linesPrinted);
  for (let t = 0; consoleLines.length < printed && t < 100; ++t) await new Promise((r) => setTimeout(r, 100));
  facts.lines_printed = printed;
  page.off('console', onConsole);  // the console of the first viewer only

  // Start again: a fresh viewer draws frames.
  await page.click('#start-again');
  await page.waitForFunction(() => Module.framesDrawn >= 3);
  facts.state_after_restart = await page.evaluate(() => document.body.dataset.state);

  // Tab is the page's: it moves the focus on from the picture.
  await page.focus('#canvas');
  await page.keyboard.press('Tab');
  facts.focus_after_tab = await page.evaluate(() => document.activeElement.id);
  // A hidden tab draws nothing; shown again, it draws on.
  const cover = await browser.newPage();
  await cover.bringToFront();
  await page.waitForFunction(() => document.visibilityState === 'hidden', { polling: 50 });
  const hidden = await frames();
  await new Promise((resolve) => setTimeout(resolve, 1000));
  facts.frames_while_hidden = (await frames()) - hidden;
  await page.bringToFront();
  await page.waitForFunction((n) => Module.framesDrawn >= n + 3, { polling: 50 }, hidden);
  await cover.close();

  // The page's keys table, one "key<TAB>does" line a row.
  facts.keys_file = path.join(outDir, 'web-keys.txt');
  fs.writeFileSync(facts.keys_file, await page.$$eval('#keys tbody tr', (rows) =>
    rows.map((r) => [...r.cells].map((c) => c.textContent).join('\t') + '\n').join('')));

  // The picture rule in windows of other shapes: the largest 4:3 rectangle, centred.
  for (const [width, height] of [[1280, 720], [800, 900]]) {
    const other = await browser.newPage();
    await other.setViewport({ width, height });
    await other.goto(url);
    await other.waitForFunction(() => Module.framesDrawn >= 1);
    const r = await other.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
    facts[`canvas_in_${width}x${height}`] = [r.x, r.y, r.width, r.height].map(Math.round).join(' ');
    await other.close();
  }

  // A phone: the page at the device's width, the picture as wide as the screen, the keyboard notice
  // and on-screen keys; the key z from the screen clears the scene, and no number is drawn after it.
  {
    const phone = await browser.newPage();
    await phone.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 });
    await phone.goto(url);
    await phone.waitForFunction(() => Module.framesDrawn >= 3);
    const r = await phone.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
    facts.phone_canvas_width = Math.round(r.width);
    facts.phone_notice = await phone.$eval('#keyboard-notice', (e) => (e.offsetParent ? e.textContent : ''));
    facts.phone_keys = await phone.$$eval('#touch-keys button', (b) => b.map((e) => e.textContent).join(' '));
    const z = await phone.evaluateHandle(() =>
      [...document.querySelectorAll('#touch-keys button')].find((b) => b.textContent === 'z'));
    await z.tap();
    const after = await phone.evaluate(() => Module.framesDrawn + 3);
    await phone.waitForFunction((n) => Module.framesDrawn >= n, {}, after);
    const lines = await phone.evaluate(() => Module.linesPrinted);
    await phone.waitForFunction((n) => Module.framesDrawn >= n, {}, after + 5);
    facts.phone_lines_after_z = (await phone.evaluate(() => Module.linesPrinted)) - lines;
    await phone.close();
  }

  // The start scene for 5 s and large scenes built with the page's own key function for 15 s each:
  // page errors, frames drawn against the browser's frames (its requestAnimationFrame callbacks),
  // frame rate.
  for (const [name, splines, sites, seconds] of
       [['start', 0, 0, 5], ['trail_10x50', 10, 50, 15], ['trail_100x100', 100, 100, 15]]) {
    const big = await browser.newPage();
    await big.setViewport({ width: 1024, height: 768 });
    big.on('pageerror', onPageError);
    const errorsBefore = facts.page_errors;
    await big.goto(url);
    await big.waitForFunction(() => Module.framesDrawn >= 1);
    // The heap the module started with: 16 MiB, or a little more where the toolchain lays memory out
    // otherwise (16.9375 MiB with Emscripten 3.1.69).
    facts[`${name}_heap0_mib`] = await big.evaluate(() => Module.HEAP8.length) / 1048576;
    await big.evaluate((splines, sites) => {
      if (splines > 0) sendKey('z');
      for (let s = 0; s < splines; ++s) {
        for (let k = 0; k < sites; ++k) sendKey('n');
        sendKey('x');
      }
      if (splines > 0) for (const key of ['a', 'd', 'q']) sendKey(key);  // the run, its trail, the site table
      window.browserFrames = 0;
      const count = () => { window.browserFrames++; requestAnimationFrame(count); };
      requestAnimationFrame(count);
    }, splines, sites);
    const t0 = Date.now();
    const [f0, b0] = await big.evaluate(() => [Module.framesDrawn, browserFrames]);
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    const [f1, b1, state, heap] = await big.evaluate(() =>
      [Module.framesDrawn, browserFrames, document.body.dataset.state, Module.HEAP8.length]);
    facts[`${name}_heap_mib`] = heap / 1048576;
    const elapsed = (Date.now() - t0) / 1000;
    facts[`${name}_errors`] = facts.page_errors - errorsBefore;
    facts[`${name}_state`] = state;
    facts[`${name}_drawn`] = f1 - f0;
    facts[`${name}_shown`] = b1 - b0;
    facts[`${name}_fps`] = ((f1 - f0) / elapsed).toFixed(1);
    await big.close();
  }
} finally {
  fs.writeFileSync(path.join(outDir, 'web-console.txt'), consoleLines.map((l) => l + '\n').join(''));
  fs.writeFileSync(path.join(outDir, 'web-steps.txt'), steps.map((s) => s.join(' ') + '\n').join(''));
  fs.writeFileSync(path.join(outDir, 'web-facts.txt'),
    Object.entries(facts).map(([k, v]) => `${k}=${String(v).replace(/\n/g, ' ')}\n`).join(''));
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
