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
  const recordFile = 'played.replay';

  const page = (window.vaultrixPage = { log: [], errors: [], status: '', ended: null });

  function say(text) { message.textContent = text; }

  // The largest 3:2 rectangle in the stage, centred.
  function fit() {
    const w = stage.clientWidth, h = stage.clientHeight;
    const cw = Math.min(w, Math.floor((h * 3) / 2)), ch = Math.floor((cw * 2) / 3);
    canvas.style.width = cw + 'px';
    canvas.style.height = ch + 'px';
    canvas.style.left = Math.floor((w - cw) / 2) + 'px';
    canvas.style.top = Math.floor((h - ch) / 2) + 'px';
  }
  window.addEventListener('resize', fit);
  fit();

  document.getElementById('fullscreen').onclick = () => {
    stage.requestFullscreen ? stage.requestFullscreen().then(() => canvas.focus()) : say('No fullscreen in this browser.');
  };
  document.addEventListener('fullscreenchange', fit);

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
  for (const [key, value] of params) {
    if (pageOnly.has(key) || key === 'input') continue;
    args.push('--' + key);
    if (value !== '') args.push(value);
  }
  const manual = params.has('manual');
  if (manual && !params.has('frame-time')) args.push('--frame-time', '0.016666666666666666');
  if (!input && !params.has('record') && !params.has('headless')) args.push('--record', recordFile);

  function offerDownload() {
    try {
      const data = Module.FS.readFile(recordFile);
      const link = document.getElementById('download');
      link.href = URL.createObjectURL(new Blob([data], { type: 'text/plain' }));
      link.hidden = false;
    } catch (e) { /* nothing was recorded */ }
  }

  // A replay: one picked here waits in the session; one named in the
  // address is fetched from beside the page. Either is put in the game's
  // files under its own name and played with --input.
  function loadInput() {
    if (!input) return;
    const name = input.split('/').pop() || 'input.replay';
    args.unshift('--input', name);
    const stored = params.has('stored') ? sessionStorage.getItem('vaultrix-replay') : null;
    if (stored !== null) { Module.FS.writeFile(name, stored); return; }
    Module.addRunDependency('replay');
    fetch(input).then((r) => (r.ok ? r.text() : Promise.reject(new Error(r.status + ' ' + r.statusText))))
      .then((text) => Module.FS.writeFile(name, text))
      .catch((e) => say('vaultrix: cannot fetch the replay ' + input + ': ' + e.message))
      .finally(() => Module.removeRunDependency('replay'));
  }

  document.getElementById('replay').onchange = (event) => {
    const file = event.target.files[0];
    if (!file) return;
    file.text().then((text) => {
      sessionStorage.setItem('vaultrix-replay', text);
      location.search = '?input=' + encodeURIComponent(file.name) + '&stored';
    });
  };

  window.Module = {
    canvas,
    arguments: args,
    vaultrixManual: manual,
    preRun: [() => { Module.FS.init(null, out, err); loadInput(); }],
    print: (l) => out(10),  // unused: the streams above take the output
    onGameEnded: (code) => {
      page.ended = { status: code };
      const text = page.errors.filter((l) => l !== '').pop();
      if (code === 0) {
        say('The game has ended. Reload the page to play again.');
        offerDownload();
      } else say((text || 'vaultrix: the game stopped with status ' + code) + ' — reload the page to play again.');
    },
    onFirstFrame: () => { page.firstFrame = performance.now(); },
    onRuntimeInitialized: () => { page.ready = true; canvas.focus(); },
  };
  canvas.addEventListener('mousedown', () => canvas.focus());
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  const script = document.createElement('script');
  script.src = 'vaultrix.js';
  script.onerror = () => say('The game could not be loaded (vaultrix.js).');
  document.body.appendChild(script);
})();
