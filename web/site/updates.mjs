// A new release of the page is the user's to take: once its service worker
// has installed and waits, one polite line says so, with "Actualizar". Only
// the user's tap activates it and reloads the page, so nothing changes under
// a builder who is typing. A phone keeps a page open for days: coming back
// to it looks for a new release too.

export function offerUpdates(registration) {
  const offer = document.getElementById('update');
  const showWhenWaiting = () => {
    // With no controller this is the first visit, which has nothing to update.
    if (registration.waiting && navigator.serviceWorker.controller) offer.hidden = false;
  };
  showWhenWaiting();
  registration.addEventListener('updatefound', () => {
    registration.installing?.addEventListener('statechange', showWhenWaiting);
  });

  let taken = false;
  document.getElementById('updateNow').addEventListener('click', () => {
    taken = true;
    registration.waiting?.postMessage('activate');
  });
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (taken) window.location.reload();
  });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') registration.update().catch(() => {});
  });
}
