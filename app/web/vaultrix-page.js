// The page around the game: its canvas kept at 3:2, the game's output
// mapped to a status line and a log, replays in and out, and the messages a
// player needs when there is nothing to play.
'use strict';
(function () {
  const canvas = document.getElementById('canvas');
  const stage = document.getElementById('stage');
  const message = document.getElementById('message');
  const status = document.getElementById('status');
  const logBox = document.getElementById('log');
  const params = new URLSearchParams(location.search);
  // What the page, not the game, reads from the address.
  const pageOnly = new Set(['manual', 'stored']);
  // A replay brought in by the page lives in a folder of its own, so that no
  // name (tmp, dev, Platformer) meets one of the game's own memory files.
  const replayFolder = 'replays';
  // The game refuses a replay larger than this (InputScript::kMaxBytes).
  const maxReplayBytes = 1024 * 1024;

  const page = (window.vaultrixPage = { log: [], errors: [], status: '', ended: null });

  function say(text) { message.textContent = text; }

  // A name or value as the game shows it in its errors: its UTF-8 bytes,
  // anything unprintable as \xNN, cut at 40 bytes for an excerpt.
  function printable(text, limit = Infinity) {
    const bytes = new TextEncoder().encode(text);
    let out = '';
    for (const b of bytes.subarray(0, Math.min(bytes.length, limit)))
      out += b >= 0x20 && b < 0x7f ? String.fromCharCode(b) : '\\x' + b.toString(16).padStart(2, '0');
    return bytes.length > limit ? out + '...' : out;
  }
  const excerpt = (text) => printable(text, 40);

  // The end of the run, however it came: the game's own, or the page's
  // refusal of what it could not hand to the game.
  function gameEnded(code) {
    page.ended = { status: code };
    const text = page.errors.filter((l) => l !== '').pop();
    if (code === 0) say('The game has ended. Reload the page to play again.');
    else say((text || 'vaultrix: the game stopped with status ' + code) + ' — reload the page to play again.');
    offerDownload();
  }
  function refuse(line, code = 2) {
    page.errors.push(line);
    console.error(line);
    gameEnded(code);
  }
  // The page itself could not start the game: one line saying what to do.
  function cannotStart(text, reason) {
    if (page.ended) return;
    say(text);
    page.ended = { status: 1, reason };
  }
  // One of the game's files did not arrive: what the server answered (asked
  // again when the loader did not say), and to reload.
  function loadFailed(file, why) {
    if (page.ended) return;
    page.ended = { status: 1, reason: 'load' };
    const answer = why ? Promise.resolve(why)
      : fetch(file, { method: 'HEAD', cache: 'no-store' })
        .then((r) => (r.ok ? 'it arrived damaged' : (r.status + ' ' + r.statusText).trim()), () => 'no answer from the server');
    answer.then((text) => say(`Vaultrix could not load ${file} (${text}). Reload the page; if this happens ` +
      'again, the game\'s files on the server are missing or incomplete.'));
  }

  // Played by touch: the page shows its touch buttons and the touch legend.
  let touch = false;
  const root = document.documentElement;

  // The largest 3:2 rectangle in the stage, centred; on a phone held upright,
  // at the stage's foot, just over the buttons and within the thumbs' reach.
  function fit() {
    const w = stage.clientWidth, h = stage.clientHeight;
    const cw = Math.min(w, Math.floor((h * 3) / 2)), ch = Math.floor((cw * 2) / 3);
    const low = touch && !matchMedia('(orientation: landscape)').matches;
    canvas.style.width = cw + 'px';
    canvas.style.height = ch + 'px';
    canvas.style.left = Math.floor((w - cw) / 2) + 'px';
    canvas.style.top = (low ? h - ch : Math.floor((h - ch) / 2)) + 'px';
  }
  // The stage changes with the window and with the page's own bars (the
  // legend arrives with the game).
  if (window.ResizeObserver) new ResizeObserver(fit).observe(stage);
  window.addEventListener('resize', fit);
  fit();

  // The game's legend in the page's bar, as the title shows it.
  function showLegend() {
    if (!page.ready) return;
    const legend = document.getElementById('legend');
    legend.textContent = '';
    for (const line of Module.UTF8ToString(Module._vaultrix_legend(touch ? 1 : 0)).split('\n')) {
      if (line === '') continue;
      const span = document.createElement('span');
      span.textContent = line;
      legend.appendChild(span);
    }
  }
  function touched() {
    if (touch) return;
    touch = page.touch = true;
    root.classList.add('touch');
    fit();
    showLegend();
  }
  if (matchMedia('(pointer: coarse)').matches) touched();
  window.addEventListener('touchstart', touched, { capture: true, passive: true });

  // A phone goes fullscreen with its buttons, the desktop with the picture
  // alone. Where there is no Fullscreen API (an iPhone), the button goes:
  // the page installed on the home screen is fullscreen there.
  const fullscreenButton = document.getElementById('fullscreen');
  if (!document.fullscreenEnabled) fullscreenButton.hidden = true;
  fullscreenButton.onclick = () => {
    const target = touch ? root : stage;
    target.requestFullscreen ? target.requestFullscreen().then(() => canvas.focus()) : say('No fullscreen in this browser.');
  };
  document.addEventListener('fullscreenchange', fit);

  // The touch buttons hold their key while any finger is on them, each
  // finger followed by its own pointer, so one thumb steers while the other
  // aims. They never take the keyboard from the canvas: the game freezes
  // when the canvas loses it.
  function touchKey(code, down) {
    if (page.ready && !page.ended) Module.ccall('reeng_touch_key', null, ['string', 'number'], [code, down ? 1 : 0]);
  }
  for (const button of document.querySelectorAll('.pad button')) {
    const fingers = new Set();
    const code = button.dataset.key;
    button.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      touched();
      button.setPointerCapture(e.pointerId);
      fingers.add(e.pointerId);
      button.classList.add('held');
      if (fingers.size === 1) touchKey(code, true);
    });
    const lift = (e) => {
      if (!fingers.delete(e.pointerId) || fingers.size > 0) return;
      button.classList.remove('held');
      touchKey(code, false);
    };
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(type, lift);
  }
  for (const pad of document.querySelectorAll('.pad')) {
    // No mouse events made up from the touch, no click, no menu.
    pad.addEventListener('touchstart', (e) => e.preventDefault(), { passive: false });
    pad.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  // A page opened from a file may fetch nothing beside it.
  if (location.protocol === 'file:') {
    cannotStart('Vaultrix cannot run from a file: serve its folder over http (make run-web, or ' +
      'python3 -m http.server in it) and open the page at its http:// address.', 'file');
    return;
  }

  if (!document.createElement('canvas').getContext('webgl2')) {
    say('Vaultrix needs WebGL2, which this browser does not offer (or has turned off). Try a current Firefox, Chrome or Safari.');
    page.ended = { status: 1, reason: 'no-webgl2' };
    return;
  }

  // A stream of characters: '\r' ends the status line (the frame-rate
  // line), '\n' a line of the log.
  function lineStream(onLine, onStatus) {
    let line = '';
    return (code) => {
      if (code === null || code === undefined) return;
      const ch = String.fromCharCode(code);
      if (ch === '\r') { if (onStatus) onStatus(line); else onLine(line); line = ''; }
      else if (ch === '\n') { onLine(line); line = ''; }
      else line += ch;
    };
  }
  const out = lineStream(
    (l) => { page.log.push(l); if (l !== '') logBox.textContent += l + '\n'; },
    (l) => { page.status = l.trim(); status.textContent = page.status; });
  const err = lineStream((l) => { page.errors.push(l); if (l !== '') say(l); console.error(l); });

  // The command line from the address: ?input=shot.replay&frames=100&print-text
  const args = [];
  let input = params.get('input');
  // The game reads its arguments as C strings, which end at a NUL: an option
  // or value holding one is refused here, as the game refuses trailing junk.
  let refused = null;
  for (const [key, value] of params) {
    if (refused) break;
    if (key.includes('\0')) refused = `unknown option '${excerpt('--' + key)}'`;
    else if (value.includes('\0')) refused = `bad value '${excerpt(value)}' for ${excerpt('--' + key)}`;
    if (pageOnly.has(key) || key === 'input') continue;
    args.push('--' + key);
    if (value !== '') args.push(value);
  }
  if (refused) {
    refuse(`vaultrix: ${refused} (see vaultrix --help)`);
    return;
  }
  const manual = params.has('manual');
  if (manual && !params.has('frame-time')) args.push('--frame-time', '0.016666666666666666');
  // A game played here is recorded, where the address does not name a file.
  const live = !input && !params.has('headless');
  if (live && !params.has('record')) args.push('--record', 'played.replay');
  const recordFile = params.get('record') || (live ? 'played.replay' : '');

  // Whatever ended the game, what it recorded is the player's.
  function offerDownload() {
    if (!recordFile || !window.Module || !Module.FS) return;
    try {
      const data = Module.FS.readFile(recordFile);
      const link = document.getElementById('download');
      link.href = URL.createObjectURL(new Blob([data], { type: 'text/plain' }));
      link.download = recordFile.split('/').pop();
      link.hidden = false;
    } catch (e) { /* nothing was recorded, or its end was never written */ }
  }

  // A replay: one picked here waits in the session; one named in the
  // address is fetched from beside the page. Either is put in the game's
  // files under its own name and played with --input.
  // The name a replay gets in the game's files.
  function replayPath(name) {
    return replayFolder + '/' + (name === '' || name === '.' || name === '..' ? 'input.replay' : name);
  }

  // A failed fetch says what the server answered and names the whole
  // address; the game is not started without its replay.
  function fetchReplay(path) {
    const address = new URL(input, location.href).href;
    const fail = (why) => refuse(`vaultrix: cannot fetch the replay ${address}: ${why}`);
    Module.addRunDependency('replay');
    fetch(address)
      .then((r) => {
        if (!r.ok) return fail((r.status + ' ' + r.statusText).trim());
        return r.text().then((text) => {
          Module.FS.writeFile(path, text);
          Module.removeRunDependency('replay');
        });
      }, () => fail('no answer, or the server does not let this page read it'));
  }

  function loadInput() {
    if (!input) return;
    Module.FS.mkdir('/' + replayFolder);
    const path = replayPath(input.split('/').pop());
    args.unshift('--input', path);
    const stored = params.has('stored') ? sessionStorage.getItem('vaultrix-replay') : null;
    if (stored !== null) Module.FS.writeFile(path, stored);
    else fetchReplay(path);
  }

  // A live game is being played (and recorded) now.
  const playing = () => live && page.ready && !page.ended;

  document.getElementById('replay').onchange = (event) => {
    const picker = event.target, file = picker.files[0];
    if (!file) return;
    // The line the game gives such a file, before anything is kept.
    if (file.size > maxReplayBytes) {
      say(`vaultrix: cannot read input script '${printable(replayPath(file.name))}': is larger than 1 MiB`);
      picker.value = '';
      return;
    }
    if (playing() && !confirm(`Play the replay ${file.name}? The game being played now will be lost.`)) {
      picker.value = '';
      return;
    }
    file.text().then((text) => {
      try {
        sessionStorage.setItem('vaultrix-replay', text);
      } catch (e) {
        say(`vaultrix: the browser will not keep ${file.name} for the page (${e.name})`);
        return;
      }
      location.search = '?input=' + encodeURIComponent(file.name) + '&stored';
    });
  };

  window.Module = {
    canvas,
    arguments: args,
    manualSteps: manual,
    preRun: [() => { Module.FS.init(null, out, err); loadInput(); }],
    print: (l) => out(10),  // unused: the streams above take the output
    onGameEnded: gameEnded,
    onFirstFrame: () => { page.firstFrame = performance.now(); },
    // The page fetches the game's code itself, to say what the server answered.
    instantiateWasm: (imports, receive) => {
      const file = 'vaultrix.wasm';
      fetch(file).then((r) => {
        if (!r.ok) return loadFailed(file, (r.status + ' ' + r.statusText).trim());
        const streaming = WebAssembly.instantiateStreaming && /^application\/wasm/.test(r.headers.get('Content-Type') || '');
        return (streaming ? WebAssembly.instantiateStreaming(r, imports)
          : r.arrayBuffer().then((bytes) => WebAssembly.instantiate(bytes, imports)))
          .then((result) => receive(result.instance), (e) => loadFailed(file, e.message));
      }, () => loadFailed(file, 'no answer from the server'));
      return {};
    },
    onAbort: (what) => { if (!page.ended) refuse('vaultrix: the game stopped: ' + what, 1); },
    onRuntimeInitialized: () => { page.ready = true; showLegend(); canvas.focus(); },
  };
  canvas.addEventListener('mousedown', () => canvas.focus());
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  // Installed, the page starts without the network: its files are kept by
  // the service worker, a version at a time.
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});

  const script = document.createElement('script');
  script.src = 'vaultrix.js';
  script.onerror = () => loadFailed('vaultrix.js');
  // The loader of the game's files throws where nothing catches it.
  window.addEventListener('error', (e) => {
    if (!page.ready && /vaultrix\.data/.test(String(e.message))) loadFailed('vaultrix.data');
  });
  document.body.appendChild(script);
})();
