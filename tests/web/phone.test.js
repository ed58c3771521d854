// The browser build on a phone and a tablet, by Chromium's touch emulation:
// the whole game by touch, the controls beside the picture, the installed
// page offline. Steps are run through the exported step function, so a
// touch lands on an exact step.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { root, serve, launch, ended } = require('./harness.js');

const build = process.env.VAULTRIX_WEB_DIR || path.join(root, 'build-web');
const native = process.env.VAULTRIX_NATIVE || path.join(root, 'build', 'vaultrix');
const replays = path.join(root, 'tests/replays');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vaultrix-phone-'));
const portrait = { width: 390, height: 844 };
const landscape = { width: 844, height: 390 };
const tablet = { width: 1024, height: 768 };
const version = fs.readFileSync(path.join(root, 'CMakeLists.txt'), 'utf8').match(/project\(Vaultrix VERSION ([0-9.]+)/)[1];
const phone = (viewport, scale = 3) => ({ hasTouch: true, isMobile: true, viewport, deviceScaleFactor: scale });
let server, base;

test.before(async () => {
  server = await serve([build, replays, scratch]);
  base = `http://127.0.0.1:${server.address().port}/index.html`;
});
test.after(() => {
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

const step = (page, n = 1) => page.evaluate((count) => {
  let on = 1;
  for (let i = 0; i < count && on; ++i) on = Module._reeng_step();
  return on;
}, n);

async function manualPage(context, query = '') {
  const page = await context.newPage();
  await page.goto(`${base}?manual${query}`);
  await page.waitForFunction(() => window.vaultrixPage.ready || window.vaultrixPage.ended);
  return page;
}

// Fingers by CDP, each with an identifier of its own, held until lifted.
async function fingers(page) {
  const cdp = await page.context().newCDPSession(page);
  const down = new Map();
  const send = (type) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: [...down].map(([id, p]) => ({ id, x: p.x, y: p.y })),
  });
  return {
    async press(id, x, y) { down.set(id, { x, y }); await send('touchStart'); },
    async move(id, x, y) { down.set(id, { x, y }); await send('touchMove'); },
    // The fingers left down are those the next event names; the last
    // finger's lifting names none.
    async lift(id) {
      down.delete(id);
      await send(down.size > 0 ? 'touchMove' : 'touchEnd');
    },
  };
}
const centre = async (page, selector) => {
  const box = await page.$eval(selector, (e) => e.getBoundingClientRect().toJSON());
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
};
// A point of the 1080 x 720 picture, on the page.
const picturePoint = async (page, px, py) => {
  const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
  return { x: box.x + ((px + 0.5) * box.width) / 1080, y: box.y + ((py + 0.5) * box.height) / 720 };
};

// The last text of a replay played headless in the browser up to `frames`.
async function textAt(context, file, frames) {
  const page = await context.newPage();
  await page.goto(`${base}?headless&input=${file}&frames=${frames}&print-text`);
  const state = await ended(page, 30000);
  await page.close();
  assert.strictEqual(state.ended.status, 0, state.errors.join(' '));
  return state.log.filter((l) => l !== '' && !l.startsWith('FPS'));
}

// Frames of the touch game below, for the checks on its replay.
const hit = 60, steered = 100, paused = 110, resumed = 130, launched = 140, last = 200;

// Taps alone: start and shoot the first obstacle (as tests/replays/shot.input
// does with Enter and the mouse), steer both ways, shoot again while a thumb
// steers, pause and resume, launch. Returns the recorded replay and the
// live game's digests.
async function playByTouch(page) {
  const hand = await fingers(page);
  let frame = 0;
  const to = async (f) => { await step(page, f - frame); frame = f; };
  const tap = async (id, where, held = 1) => {
    const at = typeof where === 'string' ? await centre(page, where) : where;
    await hand.press(id, at.x, at.y);
    await step(page, held);
    frame += held;
    await hand.lift(id);
  };
  const [left, right, launch, pause] = ['[data-key=KeyA]', '[data-key=KeyD]', '[data-key=KeyW]', '[data-key=KeyP]'];
  // The obstacle at (3, 4), where shot.input aims.
  await tap(1, await picturePoint(page, 648, 238));
  await to(hit);
  // One thumb holds left while the other fires at the other side, then right.
  const thumb = await centre(page, left);
  await hand.press(2, thumb.x, thumb.y);
  await step(page, 5);
  frame += 5;
  await tap(3, await picturePoint(page, 200, 300), 2);
  await step(page, 5);
  frame += 5;
  await hand.lift(2);
  await tap(2, right, 10);
  await to(steered);
  await tap(4, pause);
  await to(paused);
  await to(resumed - 1);
  await tap(4, pause);
  await to(launched);
  await tap(5, launch, 3);
  await to(last);
  const state = await ended(page, 20000);
  assert.strictEqual(state.ended.status, 0, state.errors.join(' '));
  return {
    replay: await page.evaluate(() => new TextDecoder().decode(Module.FS.readFile('played.replay'))),
    digests: state.log.filter((l) => l.startsWith('state-hash')),
  };
}

for (const [name, viewport, scale] of [['phone upright', portrait, 3], ['phone on its side', landscape, 3], ['tablet', tablet, 2]]) {
  test(`a ${name} plays the whole game by touch, and its replay is an ordinary one`, async () => {
    const browser = await launch([], phone(viewport, scale));
    try {
      const page = await manualPage(browser.context, `&frames=${last}&state-hash-every=1`);
      // The touch controls show, at least 48 CSS px, beside the picture, never on it.
      const picture = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
      for (const box of await page.$$eval('.pad button', (bs) => bs.map((b) => b.getBoundingClientRect().toJSON()))) {
        assert.ok(box.width >= 48 && box.height >= 48, `a button of ${box.width} x ${box.height}`);
        const apart = box.right <= picture.left || box.left >= picture.right || box.bottom <= picture.top || box.top >= picture.bottom;
        assert.ok(apart, `a button at ${JSON.stringify(box)} over the picture at ${JSON.stringify(picture)}`);
        assert.ok(box.right <= viewport.width && box.bottom <= viewport.height, 'a button off the screen');
      }
      if (viewport === landscape) assert.ok(picture.height >= 300, `the picture is ${picture.height} CSS px tall`);
      // The legend in the bar is the game's touch legend; the title shows it too.
      assert.match(await page.textContent('#legend'), /Tap the picture to start/);
      const played = await playByTouch(page);
      await page.close();
      const file = `phone-${viewport.width}.replay`;
      fs.writeFileSync(path.join(scratch, file), played.replay);
      // The same keys and buttons as a player with keys and a mouse gives.
      const lines = played.replay.split('\n');
      const at = (what) => lines.findIndex((l) => l.endsWith(` ${what}`));
      for (const what of ['Return down', 'MouseLeft down', 'A down', 'D down', 'W down', 'P down', 'P up'])
        assert.ok(at(what) >= 0, `no '${what}' in the replay`);
      // The second shot came while the steering thumb held A.
      const frameOf = (l) => Number(l.split(' ')[0]);
      const shots = lines.filter((l) => / MouseLeft down$/.test(l)).map(frameOf);
      const aDown = frameOf(lines[at('A down')]);
      const aUp = frameOf(lines.slice(at('A down')).find((l) => / A up$/.test(l)));
      assert.ok(shots.some((f) => f > aDown && f < aUp), `shots at ${shots}, A held ${aDown} to ${aUp}`);
      // What the game showed along the way, replayed.
      assert.deepStrictEqual(await textAt(browser.context, file, hit), ['Score: 53']);
      assert.deepStrictEqual(await textAt(browser.context, file, paused), ['Paused']);
      assert.deepStrictEqual(await textAt(browser.context, file, resumed + 1), ['Score: 53']);
      const final = await textAt(browser.context, file, last);
      assert.ok(Number(final[0].replace('Score: ', '')) > 60, `launched, the score climbs: ${final}`);
      // The native game replays it step for step.
      if (!fs.existsSync(native)) throw new Error(`${native} is missing: build the native game first (make test does)`);
      const run = spawnSync(native, ['--headless', '--input', path.join(scratch, file), '--state-hash-every', '1'],
        { encoding: 'utf8' });
      assert.strictEqual(run.status, 0, run.stderr);
      const want = run.stdout.split('\n').filter((l) => l.startsWith('state-hash'));
      assert.strictEqual(want.length, played.digests.length);
      const parts = want.findIndex((l, i) => l !== played.digests[i]);
      assert.ok(parts < 0, `the native replay parts at digest ${parts + 1}: ${want[parts]} != ${played.digests[parts]}`);
    } finally {
      await browser.close();
    }
  });
}

test('the installed page plays again with the network off, and a new version replaces the old cache', async () => {
  const browser = await launch([], { ...phone(landscape), serviceWorkers: 'allow' });
  try {
    const page = await browser.context.newPage();
    await page.goto(base);
    await page.waitForFunction(() => window.vaultrixPage.ready);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cached = await page.evaluate(async () => {
      const names = await caches.keys();
      const cache = await caches.open(names[0]);
      return { names, files: (await cache.keys()).map((r) => new URL(r.url).pathname) };
    });
    assert.deepStrictEqual(cached.names, [`vaultrix-${version}`]);
    for (const file of ['index.html', 'vaultrix-page.js', 'vaultrix.js', 'vaultrix.wasm', 'vaultrix.data',
      'manifest.webmanifest', 'icon-192.png', 'icon-512.png'])
      assert.ok(cached.files.includes('/' + file), `${file} is not kept: ${cached.files}`);
    await browser.context.setOffline(true);
    await page.reload();
    await page.waitForFunction(() => window.vaultrixPage.ready || window.vaultrixPage.ended, null, { timeout: 20000 });
    assert.strictEqual(await page.evaluate(() => window.vaultrixPage.ended), null);
    await page.waitForFunction(() => window.vaultrixPage.firstFrame, null, { timeout: 20000 });
    // It plays: a tap on the picture starts the game.
    const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await page.waitForFunction(() => {
      try { return Module.FS.readFile('played.replay.part', { encoding: 'utf8' }).includes(' Return down'); }
      catch (e) { return false; }
    }, null, { timeout: 20000 });
    // A worker of another version takes over and drops the old cache.
    await page.evaluate(() => caches.open('vaultrix-0.0.0-old').then((c) => c.put('old', new Response('x'))));
    await browser.context.setOffline(false);
    const newer = fs.readFileSync(path.join(build, 'sw.js'), 'utf8').replace(`'vaultrix-${version}'`, "'vaultrix-next'");
    await browser.context.route('**/sw.js', (route) => route.fulfill({ contentType: 'text/javascript', body: newer }));
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
    await page.waitForFunction(async () => (await caches.keys()).join() === 'vaultrix-next', null, { timeout: 20000 });
    await page.close();
  } finally {
    await browser.close();
  }
});

test("the manifest names the game, installs fullscreen in landscape, and its icons load", async () => {
  const browser = await launch([], phone(portrait));
  try {
    const page = await browser.context.newPage();
    await page.goto(base);
    const href = await page.$eval('link[rel=manifest]', (l) => l.href);
    const response = await page.request.get(href);
    assert.ok(response.ok());
    const manifest = await response.json();
    assert.strictEqual(manifest.name, 'Vaultrix');
    assert.strictEqual(manifest.short_name, 'Vaultrix');
    assert.ok(['fullscreen', 'standalone'].includes(manifest.display));
    assert.strictEqual(manifest.orientation, 'landscape');
    assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/i);
    assert.match(manifest.background_color, /^#[0-9a-f]{6}$/i);
    const sizes = [];
    for (const icon of manifest.icons) {
      const size = await page.evaluate((src) => new Promise((resolve, reject) => {
        const image = new Image();
        image.onload = () => resolve(`${image.naturalWidth}x${image.naturalHeight}`);
        image.onerror = () => reject(new Error(`${src} did not load`));
        image.src = src;
      }), new URL(icon.src, href).href);
      assert.strictEqual(size, icon.sizes);
      sizes.push(size);
    }
    assert.deepStrictEqual(sizes.sort(), ['192x192', '512x512']);
    await page.close();
  } finally {
    await browser.close();
  }
});

test('a desktop without touch shows no touch controls and the keys legend', async () => {
  const browser = await launch();
  try {
    const page = await manualPage(browser.context);
    for (const button of await page.$$('.pad button')) assert.strictEqual(await button.isVisible(), false);
    assert.strictEqual(await page.evaluate(() => document.documentElement.classList.contains('touch')), false);
    assert.match(await page.textContent('#legend'), /Keys: Enter start/);
    assert.strictEqual(await page.isVisible('#fullscreen'), true);
    await page.close();
  } finally {
    await browser.close();
  }
});

test("every text a phone player reads is at least 12 CSS px", async () => {
  for (const viewport of [portrait, landscape]) {
    const browser = await launch([], phone(viewport));
    try {
      const page = await manualPage(browser.context);
      const small = await page.evaluate(() => [...document.querySelectorAll('#bar, #bar *, #message, .pad button')]
        .filter((e) => e.offsetParent !== null && parseFloat(getComputedStyle(e).fontSize) < 12).map((e) => e.id || e.tagName));
      assert.deepStrictEqual(small, []);
      // The title's text in the picture: 34/720 of its height.
      const height = await page.$eval('#canvas', (c) => c.getBoundingClientRect().height);
      assert.ok((height * 34) / 720 >= 12, `the picture is only ${height} CSS px tall`);
      await page.close();
    } finally {
      await browser.close();
    }
  }
});
