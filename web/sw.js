// Keeps Contalino usable without the network once the page has been opened: every file of the page is
// kept at the first visit and served from here afterwards. A new version has new files, hence a new
// cache name, and takes the old one's place at the next visit online.
const CACHE = "@CACHE@";
const FILE = [@FILE@];

self.addEventListener("install", (evento) => {
  evento.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILE)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (evento) => {
  evento.waitUntil(
    caches.keys()
      .then((nomi) => Promise.all(nomi.filter((nome) => nome !== CACHE).map((nome) => caches.delete(nome))))
      .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (evento) => {
  if (evento.request.method !== "GET")
    return;
  evento.respondWith(
    caches.open(CACHE)
      .then((cache) => cache.match(evento.request, {ignoreSearch: true}))
      .then((tenuta) => tenuta || fetch(evento.request)));
});
