// The viewer: a click (or Enter) on a thumbnail shows its picture over the
// page, fitted to the screen, in the size that suits the screen. Arrow
// keys, the buttons and a swipe step through the pictures; Escape, the
// close button and Back leave. The address names the picture shown, so a
// link to it can be shared. Everything it needs comes from the page's own
// markup: each thumbnail's link carries its picture's size, its
// screen-size copies and its facts as attributes, and the caption its name.
// Nothing is built before the first picture is opened.
(() => {
  'use strict';
  const gallery = document.querySelector('.gallery');
  const links = gallery ? [...gallery.querySelectorAll('a[data-size]')] : [];
  if (!links.length || !window.HTMLDialogElement) return;
  const items = links.map(a => a.closest('li'));
  const n = links.length;
  let viewer, stage, shown, position, name, facts, full, close;
  let current = 0;
  const ahead = [];

  const make = (tag, className, text) => {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text) e.textContent = text;
    return e;
  };
  const button = (className, text, label, action) => {
    const b = make('button', className, text);
    b.type = 'button';
    b.setAttribute('aria-label', label);
    b.addEventListener('click', action);
    return b;
  };

  const build = () => {
    shown = make('img', 'shown');
    shown.alt = '';
    shown.addEventListener('load', () => { shown.style.backgroundImage = ''; });
    position = make('span');
    name = make('span');
    facts = make('span');
    const info = make('p', 'info');
    info.setAttribute('aria-live', 'polite');
    info.append(position, name, facts);
    full = make('a', 'full', 'Full size');
    close = button('close', '\u00d7', 'Close', () => viewer.close());
    const bar = make('div', 'bar');
    bar.append(info, full, close);
    stage = make('div', 'stage');
    stage.append(shown, button('step previous', '\u2039', 'Previous picture', () => step(-1)),
                 button('step next', '\u203a', 'Next picture', () => step(1)));
    viewer = make('dialog', 'viewer');
    viewer.append(bar, stage);
    document.body.append(viewer);

    viewer.addEventListener('keydown', e => {
      if (e.key === 'ArrowLeft') step(-1);
      else if (e.key === 'ArrowRight') step(1);
      else return;
      e.preventDefault();
    });
    // However it closes, the address loses the picture (Back when opening
    // added it) and the thumbnail of the picture last shown takes the focus.
    viewer.addEventListener('close', () => {
      shown.removeAttribute('srcset');
      shown.removeAttribute('src');
      if (named() >= 0) {
        if (history.state && history.state.viewer) history.back();
        else history.replaceState(null, '', location.pathname + location.search);
      }
      links[current].focus();
    });
    addEventListener('resize', () => {
      if (viewer.open) shown.sizes = sizes(current);
    });
    let touch = null;
    stage.addEventListener('touchstart', e => {
      touch = e.touches.length === 1 ? e.touches[0] : null;
    }, {passive: true});
    stage.addEventListener('touchend', e => {
      const t = e.changedTouches[0];
      if (!touch || !t) return;
      const dx = t.clientX - touch.clientX, dy = t.clientY - touch.clientY;
      touch = null;
      if (Math.abs(dx) > 40 && Math.abs(dx) > 1.5 * Math.abs(dy)) step(dx < 0 ? 1 : -1);
    }, {passive: true});
  };

  // The width the picture takes on this screen, as the sizes that lets
  // the browser pick the copy that fits. Past twice the screen's pixels
  // no eye sees more detail, so a phone at 3x counts as one at 2x and
  // takes the 1280 copy.
  const sizes = i => {
    const [w, h] = links[i].dataset.size.split('x').map(Number);
    const width = Math.min(stage.clientWidth || innerWidth, (stage.clientHeight || innerHeight) * w / h);
    return Math.ceil(width * Math.min(1, 2 / (devicePixelRatio || 1))) + 'px';
  };
  const load = (img, i) => {
    const a = links[i];
    img.sizes = sizes(i);
    img.srcset = a.dataset.screen || '';
    img.src = a.dataset.screen ? a.dataset.screen.split(' ')[0] : a.href;
  };
  const dateText = iso => {
    try {
      return new Date(iso + 'Z').toLocaleString(undefined,
        {dateStyle: 'medium', timeStyle: 'short', timeZone: 'UTC'});
    } catch (e) {
      return iso.replace('T', ' ');
    }
  };

  const show = i => {
    current = (i + n) % n;
    const a = links[current];
    const caption = items[current].querySelector('figcaption').textContent;
    const thumb = a.querySelector('img');
    shown.removeAttribute('srcset');
    shown.style.backgroundImage = 'url("' + (thumb.currentSrc || thumb.src) + '")';
    shown.alt = thumb.alt;
    load(shown, current);
    position.textContent = (current + 1) + ' / ' + n;
    name.textContent = caption;
    facts.textContent = [a.dataset.taken && dateText(a.dataset.taken), a.dataset.camera]
      .filter(Boolean).join(' \u00b7 ');
    facts.hidden = !facts.textContent;
    full.href = a.href;
    viewer.setAttribute('aria-label', caption);
    // The neighbours, loaded ahead in the size this screen takes.
    ahead.length = 0;
    for (const d of [1, -1]) {
      const img = new Image();
      load(img, (current + d + n) % n);
      ahead.push(img);
    }
  };

  const hashOf = i => '#' + encodeURIComponent(items[i].id);
  const named = () => {
    try {
      const id = decodeURIComponent(location.hash.slice(1));
      return id ? items.findIndex(li => li.id === id) : -1;
    } catch (e) {
      return -1;
    }
  };
  const openAt = i => {
    if (!viewer) build();
    if (!viewer.open) viewer.showModal();
    show(i);
    close.focus();
  };
  const step = d => {
    show(current + d);
    history.replaceState(history.state, '', hashOf(current));
  };

  gallery.addEventListener('click', e => {
    const i = links.indexOf(e.target.closest('a'));
    if (i < 0 || e.button || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
    e.preventDefault();
    openAt(i);
    history.pushState({viewer: 1}, '', hashOf(i));
  });
  addEventListener('popstate', () => {
    const i = named();
    if (i >= 0) openAt(i);
    else if (viewer && viewer.open) viewer.close();
  });
  if (named() >= 0) openAt(named());
})();
