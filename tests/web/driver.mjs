// Drives the web build in Debian's Chromium (headless, software WebGL) through one scenario and
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
const HINT_PERIOD = 20;  // the exit hint shows in the second half of every 20 frames
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
  page.on('console', (message) => { if (message.type() === 'log') consoleLines.push(message.text()); });
  page.on('pageerror', (error) => { if (error.name !== 'ExitStatus') console.error('page error:', error.message); });
  await page.goto(url);

  const frames = () => page.evaluate(() => Module.framesDrawn);
  const waitFrames = async (n) => {
    const target = (await frames()) + n;
    await page.waitForFunction((t) => Module.framesDrawn >= t, {}, target);
  };
  // The canvas with the counters of the same moment: no frame can come between them.
  const capture = async (name) => {
    const shot = await page.evaluate(() => ({
      png: Module.canvas.toDataURL('image/png'), frames: Module.framesDrawn, lines: Module.linesPrinted }));
    fs.writeFileSync(path.join(outDir, `${name}.png`), Buffer.from(shot.png.split(',')[1], 'base64'));
    steps.push([name, shot.frames, shot.lines]);
  };
  const keys = async (...names) => { for (const key of names) await page.keyboard.press(key); };

  // The start scene with the exit hint shown: frame f shows it when f % 20 >= 10.
  await waitFrames(3);
  await page.waitForFunction((p) => (Module.framesDrawn - 1) % p >= p / 2, {}, HINT_PERIOD);
  await capture('web-start');
  await page.screenshot({ path: path.join(outDir, 'web-page.png') });

  await keys('z');
  await waitFrames(3);
  await capture('web-cleared');
  await waitFrames(25);
  await capture('web-cleared-later');
  for (const k of [1, 2, 3]) {
    await keys('n');
    await waitFrames(2);
    await capture(`web-site-${k}`);
  }
  await keys('x');
  await waitFrames(3);
  await capture('web-spline-1');
  await keys('q');
  await waitFrames(3);
  await capture('web-table');
  await keys('a');  // one spline: refused
  await waitFrames(5);
  await capture('web-refused');
  await keys('n', 'n', 'n', 'x');
  await waitFrames(3);
  await capture('web-spline-2');
  await keys('a');
  await waitFrames(3);
  await capture('web-run-1');
  await waitFrames(10);
  await capture('web-run-2');

  await keys('Escape');
  await page.waitForSelector('body[data-state="stopped"]');
  facts.stopped_text = await page.$eval('#status', (e) => (e.hidden ? '' : e.textContent));
  facts.scratch = await page.evaluate(() => Module.FS.readFile('1.txt', { encoding: 'utf8' }));
  facts.frames_after_exit = await frames();
  await new Promise((resolve) => setTimeout(resolve, 500));
  facts.frames_later = await frames();
  const printed = await page.evaluate(() => Module.linesPrinted);
  for (let t = 0; consoleLines.length < printed && t < 100; ++t) await new Promise((r) => setTimeout(r, 100));
  facts.lines_printed = printed;

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
} finally {
  fs.writeFileSync(path.join(outDir, 'web-console.txt'), consoleLines.map((l) => l + '\n').join(''));
  fs.writeFileSync(path.join(outDir, 'web-steps.txt'), steps.map((s) => s.join(' ') + '\n').join(''));
  fs.writeFileSync(path.join(outDir, 'web-facts.txt'),
    Object.entries(facts).map(([k, v]) => `${k}=${String(v).replace(/\n/g, ' ')}\n`).join(''));
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
