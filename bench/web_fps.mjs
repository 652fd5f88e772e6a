// The web build's frame rate in Debian's Chromium (headless, software rendering) for one scene: the start
// scene, or S splines of N sites built with the page's keys and run with the trail and the site table.
// Prints "FRAMES_PER_SECOND CONSOLE_LINES_PER_FRAME" over SECONDS after a second of warm-up.
// Usage: node web_fps.mjs BUILD_WEB_DIR SPLINES SITES SECONDS   (SPLINES 0: the start scene)
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

// puppeteer-core as tests/web installs it (scripts/web.sh).
const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const [buildDir, splines, sites, seconds] = process.argv.slice(2);
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

const server = http.createServer((request, response) => {
  const name = new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html');
  fs.readFile(path.join(buildDir, path.normalize(name)), (error, data) => {
    if (error) { response.writeHead(404); response.end(); return; }
    response.writeHead(200, { 'content-type': TYPES[path.extname(name)] || 'application/octet-stream' });
    response.end(data);
  });
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'splines-bench-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', `--user-data-dir=${profile}`],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => Module.framesDrawn >= 1);
  await page.evaluate((splines, sites) => {
    if (splines === 0) return;
    sendKey('z');
    for (let s = 0; s < splines; ++s) {
      for (let k = 0; k < sites; ++k) sendKey('n');
      sendKey('x');
    }
    for (const key of ['a', 'd', 'q']) sendKey(key);
  }, Number(splines), Number(sites));
  await new Promise((resolve) => setTimeout(resolve, 1000));
  const sample = () => page.evaluate(() => [performance.now(), Module.framesDrawn, Module.linesPrinted]);
  const [t0, f0, l0] = await sample();
  await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
  const [t1, f1, l1] = await sample();
  console.log(((f1 - f0) * 1000 / (t1 - t0)).toFixed(2), f1 > f0 ? Math.round((l1 - l0) / (f1 - f0)) : 0);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
