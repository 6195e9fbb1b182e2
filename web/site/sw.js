// Keeps every file of one release of the page, so that after one visit it
// opens and calculates with no network. The cache is named by the release
// (its version and the hash of its files): a new release fills a cache of
// its own and, once it takes over, deletes the old one, so that a page is
// never served from two releases at once.

const RELEASE = '@RELEASE@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches.open(RELEASE).then((cache) =>
      // Past the browser's HTTP cache, which may hold an older release.
      cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })))),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys().then((names) =>
      Promise.all(names.filter((name) => name !== RELEASE).map((name) => caches.delete(name)))),
  );
});

// From the release's cache first; the network only for what it lacks.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.open(RELEASE)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((cached) => cached ?? fetch(event.request)),
  );
});
