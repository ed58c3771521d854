// What the browser tests and the bench share: a static server on 127.0.0.1
// for the build and the replays, and the system's Chromium, headless, with
// nothing that reaches out to the network.
'use strict';
const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');
const { chromium } = require('playwright-core');

const root = path.resolve(__dirname, '../..');
const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};

// Serves the first of `dirs` that holds the asked name.
function serve(dirs) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '') || 'index.html';
    for (const dir of dirs) {
      const file = path.join(dir, name);
      if (!file.startsWith(dir) || !fs.existsSync(file) || !fs.statSync(file).isFile()) continue;
      res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      fs.createReadStream(file).pipe(res);
      return;
    }
    res.writeHead(404);
    res.end();
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const browserArgs = [
  '--headless', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
  '--disable-quic', '--disable-default-apps', '--disable-extensions', '--mute-audio',
];

// options: the context's own (a phone's touch and size); service workers
// are blocked unless asked for, so that no test is served another's cache.
async function launch(extra = [], options = {}) {
  const dataDir = fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'vaultrix-chromium-'));
  const context = await chromium.launchPersistentContext(dataDir, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: browserArgs.concat(extra),
    viewport: { width: 1200, height: 900 },
    serviceWorkers: 'block',
    ...options,
  });
  const close = async () => {
    await context.close();
    fs.rmSync(dataDir, { recursive: true, force: true });
  };
  return { context, close };
}

// The game's end, as the page records it; never longer than `ms`.
async function ended(page, ms = 60000) {
  await page.waitForFunction(() => window.vaultrixPage && window.vaultrixPage.ended, null, { timeout: ms });
  return page.evaluate(() => window.vaultrixPage);
}

module.exports = { root, serve, launch, ended };
