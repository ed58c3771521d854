// The browser build in headless Chromium: the same game, its page, its
// messages. Steps are run through the exported step function, never by the
// browser's own frame timing.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { root, serve, launch, ended } = require('./harness.js');
const { decode } = require('./png.js');

const build = process.env.VAULTRIX_WEB_DIR || path.join(root, 'build-web');
const replays = path.join(root, 'tests/replays');
const native = process.env.VAULTRIX_NATIVE || path.join(root, 'build', 'vaultrix');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vaultrix-web-'));
let server, base, browser;

test.before(async () => {
  // A bad replay beside the good ones: a line the parser cannot read.
  const good = fs.readFileSync(path.join(replays, 'shot.replay'), 'utf8').split('\n');
  good[4] = '4 Return sideways';
  fs.writeFileSync(path.join(scratch, 'corrupt.replay'), good.join('\n'));
  server = await serve([build, replays, scratch]);
  base = `http://127.0.0.1:${server.address().port}/index.html`;
  browser = await launch();
});
test.after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

// A page that the test steps itself.
async function manualPage(query = '', viewport) {
  const page = await browser.context.newPage();
  if (viewport) await page.setViewportSize(viewport);
  await page.goto(`${base}?manual${query}`);
  await page.waitForFunction(() => window.vaultrixPage.ready || window.vaultrixPage.ended);
  return page;
}
const step = (page, n = 1) => page.evaluate((count) => {
  let on = 1;
  for (let i = 0; i < count && on; ++i) on = Module._reeng_step();
  return on;
}, n);
const shot = async (page) => decode(await page.screenshot());
const near = (pixel, want, by = 12) => pixel.every((v, i) => Math.abs(v - want[i]) <= by);
const sky = [102, 153, 230];

// The drawn area: the box of the sky's colour.
function skyBox(image) {
  let x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
  for (let y = 0; y < image.height; y += 1)
    for (let x = 0; x < image.width; x += 1)
      if (near(image.at(x, y), sky)) {
        x0 = Math.min(x0, x); y0 = Math.min(y0, y); x1 = Math.max(x1, x); y1 = Math.max(y1, y);
      }
  return { x: x0, y: y0, width: x1 - x0 + 1, height: y1 - y0 + 1 };
}

test('the title screen: the sky fills the canvas, the white title near its top-left', async () => {
  const page = await manualPage();
  await step(page, 5);
  const image = await shot(page);
  const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
  const cx = Math.round(box.x + box.width / 2), cy = Math.round(box.y + box.height / 2);
  assert.ok(near(image.at(cx + 3, cy + 3), sky), `the sky's colour in the middle, not ${image.at(cx + 3, cy + 3)}`);
  // The title's white glyphs within the top-left tenth of the canvas.
  let white = 0;
  for (let y = Math.round(box.y); y < box.y + box.height / 10; ++y)
    for (let x = Math.round(box.x); x < box.x + box.width / 3; ++x) if (near(image.at(x, y), [255, 255, 255], 30)) ++white;
  assert.ok(white > 200, `only ${white} white pixels where the title is`);
  await page.close();
});

test('Enter and the left button play the scripted shot: Score: 53, and Escape ends the game', async () => {
  const page = await manualPage('&print-text');
  const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
  // As tests/replays/shot.input, in the 1080 x 720 picture's pixels.
  await page.keyboard.down('Enter');
  await step(page);
  await page.keyboard.up('Enter');
  await page.mouse.move(box.x + (648.5 * box.width) / 1080, box.y + (238.5 * box.height) / 720);
  await page.mouse.down();
  await step(page);
  await page.mouse.up();
  await step(page, 238);
  await page.keyboard.down('Escape');
  await step(page);
  await page.keyboard.up('Escape');
  await step(page, 5);
  const state = await ended(page, 10000);
  assert.strictEqual(state.ended.status, 0);
  assert.ok(state.log.includes('Score: 53'), `the last text: ${state.log.slice(-4).join(' | ')}`);
  assert.match(await page.textContent('#message'), /game has ended.*[Rr]eload/);
  // The game just played is offered as a replay, which plays it again.
  assert.strictEqual(await page.$eval('#download', (a) => a.hidden), false);
  const replay = await page.evaluate(() => new TextDecoder().decode(Module.FS.readFile('played.replay')));
  fs.writeFileSync(path.join(scratch, 'played.replay'), replay);
  await page.close();
  const again = await browser.context.newPage();
  await again.goto(`${base}?headless&input=played.replay&print-text`);
  const replayed = await ended(again, 20000);
  assert.ok(replayed.log.includes('Score: 53'), `replayed: ${replayed.log.slice(-3).join(' | ')}`);
  await again.close();
});

// W read and recorded: a launched game parts from a still one, and its
// replay, played by the native build, ends in the page's own digest.
test('W launches the sphere: recorded, and the native build replays it to the same digest', async () => {
  const play = async (launch) => {
    const page = await manualPage('&state-hash');
    await page.keyboard.press('Enter');
    await step(page, 30);
    if (launch) await page.keyboard.down('KeyW');
    await step(page, 20);
    if (launch) await page.keyboard.up('KeyW');
    await step(page, 20);
    await page.keyboard.press('Escape');
    await step(page, 3);
    const state = await ended(page, 10000);
    const replay = await page.evaluate(() => new TextDecoder().decode(Module.FS.readFile('played.replay')));
    await page.close();
    return { digest: state.log.find((l) => l.startsWith('state-hash')), replay };
  };
  const still = await play(false), launched = await play(true);
  assert.ok(still.digest && launched.digest);
  assert.notStrictEqual(still.digest, launched.digest);
  assert.match(launched.replay, /^\d+ W down$/m);
  assert.doesNotMatch(still.replay, / W down/);
  if (!fs.existsSync(native)) throw new Error(`${native} is missing: build the native game first (make test does)`);
  const file = path.join(scratch, 'launched.replay');
  fs.writeFileSync(file, launched.replay);
  const run = spawnSync(native, ['--headless', '--input', file, '--state-hash'], { encoding: 'utf8' });
  assert.strictEqual(run.status, 0, run.stderr);
  const nativeDigest = run.stdout.split(/[\r\n]+/).find((l) => l.startsWith('state-hash'));
  assert.strictEqual(nativeDigest, launched.digest);
});

// The canvas is shown anew whenever a step touches it: steps that draw
// nothing new (paused here) must leave the last picture, not a bare clear.
test('a paused game keeps its picture through steps that draw nothing, and after a resize', async () => {
  const page = await manualPage('', { width: 1080, height: 820 });
  await page.keyboard.press('Enter');
  await step(page, 40);
  await page.keyboard.press('KeyP');
  await step(page, 3);
  const canvasPixels = async () => {
    const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
    const image = await shot(page);
    let white = 0, other = 0;
    for (let y = Math.ceil(box.y); y < box.y + box.height - 1; y += 2)
      for (let x = Math.ceil(box.x); x < box.x + box.width - 1; x += 2) {
        const p = image.at(x, y);
        if (near(p, [255, 255, 255], 30)) ++white;
        else if (!near(p, sky, 40)) ++other;
      }
    return { white, other };
  };
  const paused = await canvasPixels();
  assert.ok(paused.white > 30 && paused.other > 100, `the paused picture: ${JSON.stringify(paused)}`);
  await step(page, 30);
  assert.deepStrictEqual(await canvasPixels(), paused);
  // A new size empties the canvas; the game draws its picture again.
  await page.setViewportSize({ width: 900, height: 700 });
  await step(page, 3);
  const resized = await canvasPixels();
  assert.ok(resized.white > 20 && resized.other > 50, `after the resize: ${JSON.stringify(resized)}`);
  await page.close();
});

for (const viewport of [{ width: 500, height: 1100 }, { width: 1700, height: 500 }]) {
  test(`a ${viewport.width} x ${viewport.height} window keeps the picture at 3:2`, async () => {
    const page = await manualPage('', viewport);
    await step(page, 3);
    const box = skyBox(await shot(page));
    assert.ok(Math.abs(box.width / box.height - 1.5) < 0.01, `drawn ${box.width} x ${box.height}`);
    assert.ok(box.width >= viewport.width * 0.99 || box.height >= (viewport.height - 120) * 0.95, 'it fills the window');
    await page.close();
  });
}

test("the golden replays' digests equal the native ones", async () => {
  for (const file of fs.readdirSync(replays).filter((f) => f.endsWith('.replay'))) {
    const name = path.basename(file, '.replay');
    const page = await browser.context.newPage();
    await page.goto(`${base}?headless&input=${file}&state-hash-every=1&print-text`);
    const state = await ended(page, 120000);
    await page.close();
    assert.strictEqual(state.ended.status, 0, `${name}: ${state.errors.join(' ')}`);
    const got = state.log.filter((l) => l !== '' && !l.startsWith('FPS')).map((l) => l.replace(/^state-hash /, ''));
    const want = fs.readFileSync(path.join(replays, `${name}.expect`), 'utf8').split('\n').filter((l) => l !== '');
    const parts = got.findIndex((l, i) => l !== want[i]);
    assert.ok(parts < 0 && got.length === want.length, `${name} parts at line ${parts + 1}: ${got[parts]} != ${want[parts]}`);
  }
});

// The bench finishes each step with a pixel read; a headless page has no
// canvas context to read from, and must not throw.
test('a headless page steps and finishes its GL work without a context', async () => {
  const page = await manualPage('&headless');
  const on = await page.evaluate(() => { const on = Module._reeng_step(); Module._reeng_finish(); return on; });
  assert.strictEqual(on, 1);
  await page.close();
});

test('a bad replay gets one line naming the file and line', async () => {
  const page = await browser.context.newPage();
  await page.goto(`${base}?input=corrupt.replay`);
  const state = await ended(page, 20000);
  assert.strictEqual(state.ended.status, 2);
  // The page keeps the replays it brings in a folder of their own.
  assert.match(await page.textContent('#message'), /^vaultrix: replays\/corrupt\.replay:5: /);
  await page.close();
});

test('a browser without WebGL2 gets a message, not a blank canvas', async () => {
  const page = await browser.context.newPage();
  await page.addInitScript(() => {
    const real = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
      return kind === 'webgl2' ? null : real.call(this, kind, ...rest);
    };
  });
  await page.goto(base);
  await ended(page, 20000);
  assert.match(await page.textContent('#message'), /needs WebGL2/);
  await page.close();
});

// The replay the page offers, as the player would save it.
const offered = (page) => page.evaluate(async () => {
  const link = document.getElementById('download');
  return { hidden: link.hidden, name: link.download, text: link.href ? await (await fetch(link.href)).text() : '' };
});

test('every recorded game is offered, whatever ended it, under the name it was recorded to', async () => {
  // A lost WebGL2 context ends the game with status 1; its record is whole.
  const lost = await manualPage();
  await lost.keyboard.press('Enter');
  await step(lost, 10);
  await lost.evaluate(() => document.getElementById('canvas').getContext('webgl2')
    .getExtension('WEBGL_lose_context').loseContext());
  await lost.waitForFunction(() => window.vaultrixPage.errors.length > 0);
  await step(lost, 3);
  const state = await ended(lost, 10000);
  assert.strictEqual(state.ended.status, 1);
  assert.match(await lost.textContent('#message'), /WebGL2 context was lost/);
  const replay = await offered(lost);
  assert.strictEqual(replay.hidden, false);
  assert.strictEqual(replay.name, 'played.replay');
  assert.match(replay.text, /^# vaultrix .* replay/);
  assert.match(replay.text, /\n\d+ end\n$/);
  await lost.close();

  // ?record=FILE is where the game records: that file is the one offered.
  const mine = await manualPage('&record=mine.replay');
  await mine.keyboard.press('Escape');
  await step(mine, 3);
  assert.strictEqual((await ended(mine, 10000)).ended.status, 0);
  const own = await offered(mine);
  assert.strictEqual(own.hidden, false);
  assert.strictEqual(own.name, 'mine.replay');
  assert.match(own.text, /^# vaultrix .* replay[^]*\n\d+ end\n$/);
  await mine.close();
});

test('a headless run without an end leaves the page answering', async () => {
  // A browser of its own: a tab that never answers cannot be closed, only
  // its browser.
  const own = await launch();
  let answered = false;
  try {
    const page = await own.context.newPage();
    await page.goto(`${base}?headless&state-hash-every=500`, { waitUntil: 'commit' });
    // The page is asked again and again while the steps go on.
    answered = await Promise.race([
      page.waitForFunction(() => window.vaultrixPage && window.vaultrixPage.log.filter((l) => l.startsWith('state-hash')).length >= 3)
        .then(() => true),
      new Promise((resolve) => setTimeout(resolve, 30000, false)),
    ]);
    assert.ok(answered, 'the page stopped answering');
    assert.strictEqual(await page.evaluate(() => window.vaultrixPage.ended), null);
  } finally {
    if (!answered) {
      const cdp = await own.context.newCDPSession(await own.context.newPage());
      await cdp.send('Browser.close').catch(() => {});
    }
    await own.close().catch(() => {});
  }
});

test('a game that cannot load says what is wrong and what to do', async () => {
  for (const file of ['vaultrix.data', 'vaultrix.wasm']) {
    const page = await browser.context.newPage();
    await page.route(`**/${file}`, (route) => route.fulfill({ status: 404, body: '' }));
    await page.goto(base);
    const state = await ended(page, 20000);
    assert.strictEqual(state.ended.reason, 'load', file);
    await page.waitForFunction(() => document.getElementById('message').textContent !== '');
    assert.match(await page.textContent('#message'), new RegExp(`${file.replace('.', '\\.')} \\(404 Not Found\\)\\. Reload`));
    await page.close();
  }
  const page = await browser.context.newPage();
  await page.goto(`file://${build}/index.html`);
  const state = await ended(page, 20000);
  assert.strictEqual(state.ended.reason, 'file');
  assert.match(await page.textContent('#message'), /serve its folder over http/);
  await page.close();
});

test("a replay that cannot be fetched names the address and the server's answer", async () => {
  const origin = `127.0.0.1:${server.address().port}`;
  const cases = [
    ['missing/nothing.replay', `http://${origin}/missing/nothing.replay: 404 Not Found`],
    // Another origin that allows no reading (no CORS headers).
    [`http://localhost:${server.address().port}/shot.replay`, `http://localhost:${server.address().port}/shot.replay: no answer`],
  ];
  for (const [input, want] of cases) {
    const page = await browser.context.newPage();
    await page.goto(`${base}?input=${encodeURIComponent(input)}`);
    const state = await ended(page, 20000);
    assert.strictEqual(state.ended.status, 2, input);
    const text = await page.textContent('#message');
    assert.ok(text.startsWith(`vaultrix: cannot fetch the replay ${want}`), text);
    await page.close();
  }
});

test('a value the game would read cut short at a NUL is refused as trailing junk is', async () => {
  for (const [query, shown] of [['frames=3junk', '3junk'], ['frames=3%00junk', '3\\x00junk']]) {
    const page = await browser.context.newPage();
    await page.goto(`${base}?${query}`);
    const state = await ended(page, 20000);
    assert.strictEqual(state.ended.status, 2, query);
    assert.ok((await page.textContent('#message')).startsWith(`vaultrix: bad value '${shown}' for --frames (see vaultrix --help)`),
      await page.textContent('#message'));
    await page.close();
  }
});

test('the browser keeps every key the game does not read', async () => {
  const page = await manualPage();
  await page.evaluate(() => {
    window.kept = {};
    window.addEventListener('keydown', (e) => { window.kept[(e.altKey ? 'Alt+' : '') + e.code] = !e.defaultPrevented; });
  });
  const gameKeys = ['Enter', 'KeyA', 'KeyD', 'KeyW', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'KeyP', 'Escape', 'F11', 'Alt+Enter'];
  const browserKeys = ['F6', 'Alt+ArrowLeft', 'ArrowDown', 'Alt+KeyD', 'Tab'];
  for (const key of gameKeys.concat(browserKeys)) {
    await page.focus('#canvas');
    await page.keyboard.press(key);
  }
  const kept = await page.evaluate(() => window.kept);
  for (const key of gameKeys) assert.strictEqual(kept[key.replace('Alt+', 'Alt+')], false, `${key} goes to the game`);
  for (const key of browserKeys) assert.strictEqual(kept[key], true, `${key} stays the browser's`);
  // Tab and Shift+Tab take the keyboard away from the canvas.
  for (const key of ['Tab', 'Shift+Tab']) {
    await page.focus('#canvas');
    await page.keyboard.press(key);
    assert.notStrictEqual(await page.evaluate(() => document.activeElement.id), 'canvas', key);
  }
  await page.close();
});

test('F11 gives the same fullscreen picture as the Fullscreen button', async () => {
  const page = await manualPage();
  await step(page, 3);
  const fullscreen = async () => {
    await page.waitForFunction(() => document.fullscreenElement);
    await step(page, 2);
    const picture = { element: await page.evaluate(() => document.fullscreenElement.id), box: skyBox(await shot(page)) };
    await page.evaluate(() => document.exitFullscreen());
    await page.waitForFunction(() => !document.fullscreenElement);
    return picture;
  };
  await page.click('#fullscreen');
  const button = await fullscreen();
  await page.focus('#canvas');
  await page.keyboard.down('F11');
  await step(page);
  await page.keyboard.up('F11');  // the browser grants it at the key's release
  const key = await fullscreen();
  assert.deepStrictEqual(key, button);
  await page.close();
});

// A replay just as long as its header and end.
function shortReplay(steps) {
  const header = fs.readFileSync(path.join(replays, 'shot.replay'), 'utf8').split('\n')[0];
  return `${header}\n0 window 0 0 1080 720\n${steps} end\n`;
}
function pickedFile(name, text) {
  const dir = fs.mkdtempSync(path.join(scratch, 'picked-'));
  fs.writeFileSync(path.join(dir, name), text);
  return path.join(dir, name);
}

test("a picked replay plays whatever its name, even one of the game's own folders", async () => {
  for (const name of ['tmp', 'dev', 'Platformer']) {
    const page = await manualPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('dialog', (d) => d.accept());
    await page.setInputFiles('#replay', pickedFile(name, shortReplay(3)));
    await page.waitForURL(/stored/);
    const state = await ended(page, 20000);
    assert.strictEqual(state.ended.status, 0, `${name}: ${state.errors.join(' ')}`);
    assert.deepStrictEqual(errors, [], name);
    await page.close();
  }
});

test('a picked replay too large for the game is refused before it is kept', async () => {
  // The game's own line for a 3 MB replay.
  fs.writeFileSync(path.join(scratch, 'large.replay'), '#'.repeat(3 << 20));
  const fetched = await browser.context.newPage();
  await fetched.goto(`${base}?input=large.replay`);
  const refused = await ended(fetched, 20000);
  await fetched.close();
  assert.strictEqual(refused.ended.status, 2);
  const line = refused.errors.filter((l) => l !== '').pop();
  assert.match(line, /larger than 1 MiB/);
  // The same line for 50 MB picked, more than the session can hold.
  const page = await manualPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  const big = path.join(fs.mkdtempSync(path.join(scratch, 'big-')), 'large.replay');
  fs.writeFileSync(big, '#'.repeat(50 << 20));
  await page.setInputFiles('#replay', big);
  await page.waitForFunction(() => document.getElementById('message').textContent !== '');
  assert.strictEqual(await page.textContent('#message'), line);
  assert.deepStrictEqual(errors, []);
  assert.strictEqual(await page.evaluate(() => sessionStorage.length), 0);
  assert.strictEqual(await step(page), 1, 'the game goes on');
  fs.rmSync(path.dirname(big), { recursive: true });
  await page.close();
});

test('picking a replay during a game asks before the game is left', async () => {
  const page = await manualPage();
  await page.keyboard.press('Enter');
  await step(page, 5);
  const asked = [];
  page.on('dialog', (d) => {
    asked.push(d.type());
    asked.length === 1 ? d.dismiss() : d.accept();
  });
  const file = pickedFile('shot.replay', shortReplay(3));
  // Declined: the game goes on.
  await page.setInputFiles('#replay', file);
  await page.waitForFunction(() => document.getElementById('replay').value === '');
  assert.deepStrictEqual(asked, ['confirm']);
  assert.strictEqual(await step(page), 1);
  assert.match(page.url(), /\?manual$/);
  // Accepted: the replay plays.
  await page.setInputFiles('#replay', file);
  await page.waitForURL(/input=shot\.replay&stored/);
  assert.deepStrictEqual(asked, ['confirm', 'confirm']);
  assert.strictEqual((await ended(page, 20000)).ended.status, 0);
  await page.close();
});

// Passes once merged with the change that draws each frame straight to the
// canvas (this branch still copies an off-screen frame).
test('a screenshot run leaves no GL warning about the read buffer', async () => {
  const page = await browser.context.newPage();
  const warnings = [];
  page.on('console', (m) => { if (/readbuffer/i.test(m.text())) warnings.push(m.text()); });
  await page.goto(`${base}?screenshot=shot.png&frames=5`);
  const state = await ended(page, 20000);
  await page.close();
  assert.strictEqual(state.ended.status, 0, state.errors.join(' '));
  assert.deepStrictEqual(warnings, []);
});
