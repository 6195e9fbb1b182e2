// Keeps every file of one release of the page, so that after one visit it
// opens and calculates with no network. The cache is named by the release;
// a file whose bytes are not the release's (a host caught halfway through an
// upload) fails the install, and the release the phone has stays. A new
// release waits until the user takes it (the page offers "Actualizar"), and
// then deletes the older releases' caches: never another site's.

const PREFIX = 'quelvaris-';
const RELEASE = '@RELEASE@';
const FILES = @FILES@; // [url, SHA-256 of its bytes]

const hex = (digest) => [...new Uint8Array(digest)].map((b) => b.toString(16).padStart(2, '0')).join('');

// The file's bytes, checked against the release's list. The page's own
// visit has just fetched most of them: they are taken from the browser's
// cache, where a copy of another release may stand under the page's fixed
// names; that one is fetched again, once.
async function releaseCopy(url, sha256) {
  for (const cache of ['force-cache', 'no-cache']) {
    const response = await fetch(url, { cache });
    if (!response.ok) continue;
    const bytes = await response.arrayBuffer();
    if (hex(await crypto.subtle.digest('SHA-256', bytes)) === sha256) {
      return new Response(bytes, { headers: { 'Content-Type': response.headers.get('Content-Type') } });
    }
  }
  throw new Error(`${url} is not the file of release ${RELEASE}`);
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const copies = await Promise.all(FILES.map(([url, sha256]) => releaseCopy(url, sha256)));
    const cache = await caches.open(RELEASE);
    await Promise.all(FILES.map(([url], i) => cache.put(url, copies[i])));
  })().catch(async (error) => {
    await caches.delete(RELEASE);
    throw error;
  }));
});

// The page asks for this once the user has tapped "Actualizar".
self.addEventListener('message', (event) => {
  if (event.data === 'activate') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith(PREFIX) && name !== RELEASE)
    .map((name) => caches.delete(name)))));
});

// From the release's cache first; the network only for what it lacks. The
// page answers to both of its addresses.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const scope = self.registration.scope;
  const page = event.request.url === new URL('index.html', scope).href ? scope : event.request;
  event.respondWith(caches.open(RELEASE)
    .then((cache) => cache.match(page, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});
