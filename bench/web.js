// The browser build's size and speed in headless Chromium (make bench):
//   transfer  the bytes of the page (html, js, wasm, data), as sent and gzipped
//   start     from the page's load to its first frame shown
//   frame     a playing frame's cost over the floor page's (clear only),
//             timed in the same run, alternating, with the GL work finished
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { root, serve, launch } = require('../tests/web/harness.js');

const build = path.resolve(process.argv[2] || path.join(root, 'build-web'));
const files = ['index.html', 'vaultrix-page.js', 'vaultrix.js', 'vaultrix.wasm', 'vaultrix.data'];
const rounds = 5, frames = 300;

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

function transfer() {
  let raw = 0, gzipped = 0;
  for (const file of files) {
    const bytes = fs.readFileSync(path.join(build, file));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  console.log(`web transfer: ${(raw / 1e6).toFixed(3)} MB (${(gzipped / 1e6).toFixed(3)} MB gzipped; target < 1.5 MB)`);
}

async function start(context, base) {
  const times = [];
  for (let i = 0; i < rounds; ++i) {
    const page = await context.newPage();
    await page.goto(`${base}/index.html`);
    await page.waitForFunction(() => window.vaultrixPage && window.vaultrixPage.firstFrame, null, { timeout: 30000 });
    times.push(await page.evaluate(() => window.vaultrixPage.firstFrame));
    await page.close();
  }
  console.log(`web start: ${median(times).toFixed(0)} ms from load to the first frame (median of ${rounds}; target < 1000 ms)`);
}

// Milliseconds per frame of `frames` frames, each finished before the next.
async function gameFrames(page) {
  return page.evaluate((count) => {
    const t0 = performance.now();
    for (let i = 0; i < count; ++i) {
      if (!Module._vaultrix_step()) throw new Error('the game ended while being timed');
      Module._vaultrix_finish();
    }
    return (performance.now() - t0) / count;
  }, frames);
}

async function floorFrames(page) {
  return page.evaluate((count) => {
    const t0 = performance.now();
    for (let i = 0; i < count; ++i) window.floorFrame();
    return (performance.now() - t0) / count;
  }, frames);
}

async function frame(context, base) {
  // The game in play: started, then steps of the sphere bouncing up its course.
  const game = await context.newPage();
  await game.setViewportSize({ width: 1080, height: 820 });
  await game.goto(`${base}/index.html?manual`);
  await game.waitForFunction(() => window.vaultrixPage.ready);
  await game.keyboard.down('Enter');
  await game.evaluate(() => Module._vaultrix_step());
  await game.keyboard.up('Enter');
  const size = await game.$eval('#canvas', (c) => [c.width, c.height]);
  const floor = await context.newPage();
  await floor.goto(`${base}/web-floor.html?w=${size[0]}&h=${size[1]}`);
  await floor.waitForFunction(() => window.ready);
  const g = [], f = [];
  for (let i = 0; i < rounds; ++i) {
    f.push(await floorFrames(floor));
    g.push(await gameFrames(game));
  }
  const gm = median(g), fm = median(f);
  console.log(`web frame: ${gm.toFixed(3)} ms a playing frame, ${fm.toFixed(3)} ms the floor's, ` +
    `ratio ${(gm / fm).toFixed(2)} (${size[0]} x ${size[1]}, medians of ${rounds} x ${frames} frames, SwiftShader)`);
}

(async () => {
  transfer();
  const server = await serve([build, __dirname]);
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await launch();
  try {
    await start(browser.context, base);
    await frame(browser.context, base);
  } finally {
    await browser.close();
    server.close();
  }
})().catch((e) => {
  console.error(`bench/web.js: ${e.message}`);
  process.exit(1);
});
