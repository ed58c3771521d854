// Keeps the game's files so that the installed page starts without the
// network. One cache a version: a new version's worker fetches its files
// afresh, then drops the caches of the versions before it.
'use strict';
const version = 'vaultrix-@PROJECT_VERSION@';
const files = ['./', 'index.html', 'vaultrix-page.js', 'vaultrix.js', 'vaultrix.wasm', 'vaultrix.data',
  'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(version)
    .then((cache) => cache.addAll(files.map((f) => new Request(f, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('vaultrix-') && n !== version).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The page's own files from the cache; anything else (a replay named in the
// address) from the network. The address's query is the game's, not a file.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith(caches.open(version)
    .then((cache) => cache.match(request, { ignoreSearch: request.mode === 'navigate' }))
    .then((kept) => kept || fetch(request)));
});
