// The browser build's size and speed in headless Chromium (make bench):
//   transfer  the bytes of the page (html, js, wasm, data, manifest, service
//             worker, icons), as sent and gzipped
//   start     from the page's load to its first frame shown
//   frame     a playing frame's cost, the floor page's (clear only) and
//             the three.js page's (the same frames drawn with three.js),
//             timed in the same run, interleaved, with the GL work finished
// node bench/web.js [build-web] [build-bench]: the native bench build has
// queue_dump, which prints the frames for the three.js page.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { spawnSync } = require('node:child_process');
const { root, serve, launch } = require('../tests/web/harness.js');

const build = path.resolve(process.argv[2] || path.join(root, 'build-web'));
const benchBuild = path.resolve(process.argv[3] || path.join(root, 'build-bench'));
const files = ['index.html', 'vaultrix-page.js', 'vaultrix.js', 'vaultrix.wasm', 'vaultrix.data',
  'manifest.webmanifest', 'sw.js', 'icon-192.png', 'icon-512.png'];
// Step 62 on, 300 steps are all playing frames of a game left alone: it
// ends at step 654.
const rounds = 5, warm = 62, frames = 300;

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

// The three.js page and the game are fed the same frames: the steps the
// game is timed on, as the game queues them natively (queue_dump).
function queuedFrames() {
  const tool = path.join(benchBuild, 'bench', 'queue_dump');
  if (!fs.existsSync(tool)) throw new Error(`${tool} is missing: build it with make bench`);
  const run = spawnSync(tool, [String(warm), String(frames)], { encoding: 'utf8', maxBuffer: 64 << 20 });
  if (run.status !== 0) throw new Error(`${tool} failed: ${(run.stderr || '').trim() || 'status ' + run.status}`);
  const data = JSON.parse(run.stdout);
  if (data.frames.length !== frames) throw new Error(`${tool} printed ${data.frames.length} frames, not ${frames}`);
  const idle = data.frames.find((f) => f.spheres.length === 0 || !data.frames[0].instances);
  if (idle) throw new Error(`${tool}: step ${idle.step} is not a playing frame (no ball or no course)`);
  return data;
}

// Milliseconds per frame of the floor page (clear only).
async function floorRound(context, base, size) {
  const page = await context.newPage();
  await page.goto(`${base}/web-floor.html?w=${size[0]}&h=${size[1]}`);
  await page.waitForFunction(() => window.ready);
  const ms = await page.evaluate((count) => {
    for (let i = 0; i < 10; ++i) window.floorFrame();
    const t0 = performance.now();
    for (let i = 0; i < count; ++i) window.floorFrame();
    return (performance.now() - t0) / count;
  }, frames);
  await page.close();
  return ms;
}

// Milliseconds per frame of the three.js page drawing the game's frames,
// and its draw calls a frame.
async function threeRound(context, base, data) {
  const page = await context.newPage();
  await page.goto(`${base}/three.html`);
  await page.waitForFunction(() => window.ready);
  const setUp = await page.evaluate((d) => window.threeSetUp(d), data);
  if (!setUp.webgl2) throw new Error('the three.js page has no WebGL2');
  const ms = await page.evaluate((count) => {
    for (let i = 0; i < 10; ++i) window.threeFrame(i);
    const t0 = performance.now();
    for (let i = 0; i < count; ++i) window.threeFrame(i);
    return (performance.now() - t0) / count;
  }, frames);
  const calls = await page.evaluate(() => window.threeCalls());
  await page.close();
  return { ms, calls };
}

// Milliseconds per playing frame of the game: started with Enter (down at
// step 0, up at 1), stepped to `warm`, then `frames` steps timed, each
// finished. Every timed step must show a new picture.
async function gameRound(context, base) {
  const page = await context.newPage();
  await page.setViewportSize({ width: 1080, height: 820 });
  await page.goto(`${base}/index.html?manual`);
  await page.waitForFunction(() => window.vaultrixPage.ready);
  await page.keyboard.down('Enter');
  await page.evaluate(() => Module._reeng_step());
  await page.keyboard.up('Enter');
  const result = await page.evaluate(([first, count]) => {
    for (let step = 1; step < first; ++step) {
      if (!Module._reeng_step()) return { error: `the game ended at step ${step}, before the timed steps` };
    }
    Module._reeng_finish();
    const blank = [];
    let shown = Module._reeng_presented();
    const t0 = performance.now();
    for (let i = 0; i < count; ++i) {
      if (!Module._reeng_step()) return { error: `the game ended at step ${first + i}, while being timed` };
      Module._reeng_finish();
      const now = Module._reeng_presented();
      if (now === shown) blank.push(first + i);
      shown = now;
    }
    const ms = (performance.now() - t0) / count;
    const canvas = document.getElementById('canvas');
    return { ms, blank, size: [canvas.width, canvas.height] };
  }, [warm, frames]);
  await page.close();
  if (result.error) throw new Error(result.error);
  if (result.blank.length > 0) {
    throw new Error(`${result.blank.length} timed steps presented nothing (the first at step ${result.blank[0]}): ` +
      'they are not playing frames');
  }
  return result;
}

// Rounds interleaved, each on a fresh page: the floor, three.js, the game.
async function frame(context, base, data) {
  const size = [data.width, data.height];
  const f = [], t = [], g = [];
  let calls = 0;
  for (let i = 0; i < rounds; ++i) {
    f.push(await floorRound(context, base, size));
    const three = await threeRound(context, base, data);
    t.push(three.ms);
    calls = three.calls;
    const game = await gameRound(context, base);
    if (game.size[0] !== size[0] || game.size[1] !== size[1]) {
      throw new Error(`the game's canvas is ${game.size[0]} x ${game.size[1]}, not the ${size[0]} x ${size[1]} drawn`);
    }
    g.push(game.ms);
  }
  const fm = median(f), tm = median(t), gm = median(g);
  console.log(`web frame: ${fm.toFixed(3)} ms the floor's, ${tm.toFixed(3)} ms three.js's (${calls} draw calls), ` +
    `${gm.toFixed(3)} ms the game's playing frame (${size[0]} x ${size[1]}, steps ${warm} to ${warm + frames - 1}, ` +
    `medians of ${rounds} rounds x ${frames} frames, SwiftShader)`);
  console.log(`web frame ratios: game/floor ${(gm / fm).toFixed(2)}, game/three.js ${(gm / tm).toFixed(2)}`);
}

(async () => {
  transfer();
  const data = queuedFrames();
  // The pages, three.js, and the models and font from the source tree.
  const server = await serve([build, __dirname, path.join(__dirname, 'node_modules'), root]);
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await launch();
  try {
    await start(browser.context, base);
    await frame(browser.context, base, data);
  } finally {
    await browser.close();
    server.close();
  }
})().catch((e) => {
  console.error(`bench/web.js: ${e.message}`);
  process.exit(1);
});
