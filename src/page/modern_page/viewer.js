// The viewer: a click (or Enter) on a thumbnail shows its picture over the
// page, fitted to the screen, in the size that suits the screen. Arrow
// keys, Home, End, the buttons and a swipe step through the pictures;
// Escape, the close button and Back leave. A pinch, a double tap or click,
// the wheel and the + and - keys zoom, a drag moves the zoomed picture, and
// past the detail of the screen-size copy the full-size file takes its
// place. The address names the picture shown, so a link to it can be
// shared. Everything it needs comes from the page's own markup: each
// thumbnail's link carries its picture's size, its screen-size copies, its
// facts and its name as attributes, and the caption its description.
// Nothing is built before the first picture is opened.
(() => {
  'use strict';
  const gallery = document.querySelector('.gallery');
  const links = gallery ? [...gallery.querySelectorAll('a[data-size]')] : [];
  if (!links.length || !window.HTMLDialogElement) return;
  const items = links.map(a => a.closest('li'));
  const n = links.length;
  let viewer, frame, stage, shown, position, name, facts, full, download, close;
  let current = 0;
  const ahead = [];
  // Scale 1 fits the picture to the stage; x and y move it, in pixels.
  const zoom = {scale: 1, x: 0, y: 0};
  let fullAskedFor = -1;

  const make = (tag, className, text) => {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text) e.textContent = text;
    return e;
  };
  const icon = (e, path) => {
    e.innerHTML = '<svg viewBox="0 0 24 24" aria-hidden="true"><path d="' + path + '"/></svg>';
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
    shown.draggable = false;
    shown.addEventListener('load', () => {
      shown.style.backgroundImage = '';
      if (zoom.scale > 1) place();
    });
    position = make('span');
    name = make('span');
    facts = make('span');
    const info = make('p', 'info');
    info.setAttribute('aria-live', 'polite');
    info.append(position, name, facts);
    full = make('a', 'full', 'Full size');
    download = icon(make('a', 'download'), 'M12 4v11M7 10l5 5 5-5M5 20h14');
    download.setAttribute('aria-label', 'Download');
    download.download = '';
    const bar = make('div', 'bar');
    bar.append(info, full, download);
    if (document.fullscreenEnabled)
      bar.append(icon(button('fullscreen', '', 'Full screen', fullScreen),
                      'M4 9V4h5M15 4h5v5M20 15v5h-5M9 20H4v-5'));
    close = button('close', '\u00d7', 'Close', () => viewer.close());
    bar.append(close);
    stage = make('div', 'stage');
    stage.append(shown, button('step previous', '\u2039', 'Previous picture', () => step(-1)),
                 button('step next', '\u203a', 'Next picture', () => step(1)));
    // A dialog cannot be shown full screen; what it holds can.
    frame = make('div', 'frame');
    frame.append(bar, stage);
    viewer = make('dialog', 'viewer');
    viewer.append(frame);
    document.body.append(viewer);

    viewer.addEventListener('keydown', key);
    // However it closes, the address loses the picture (Back when opening
    // added it) and the thumbnail of the picture last shown takes the focus.
    viewer.addEventListener('close', () => {
      if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
      shown.removeAttribute('srcset');
      shown.removeAttribute('src');
      if (named() >= 0) {
        if (history.state && history.state.viewer) history.back();
        else history.replaceState(null, '', location.pathname + location.search);
      }
      links[current].focus();
    });
    addEventListener('resize', () => {
      if (!viewer.open) return;
      shown.sizes = sizes(current);
      place();
    });
    touches();
    pointers();
    stage.addEventListener('dblclick', e => {
      if (!e.target.closest('button') && performance.now() - tappedAt > 500) toggleZoom(e);
    });
    stage.addEventListener('wheel', e => {
      if (e.target.closest('button')) return;
      e.preventDefault();
      const [x, y] = onStage(e);
      zoomTo(zoom.scale * Math.exp(-e.deltaY * (e.deltaMode ? 40 : 1) / 300), x, y);
    }, {passive: false});
  };

  const key = e => {
    if (e.ctrlKey || e.metaKey || e.altKey) return;
    const [x, y] = [stage.clientWidth / 2, stage.clientHeight / 2];
    if (e.key === 'ArrowLeft') step(-1);
    else if (e.key === 'ArrowRight') step(1);
    else if (e.key === 'Home') step(-current);
    else if (e.key === 'End') step(n - 1 - current);
    else if (e.key === '+' || e.key === '=') zoomTo(zoom.scale * 1.5, x, y);
    else if (e.key === '-' || e.key === '_') zoomTo(zoom.scale / 1.5, x, y);
    else if (e.key === '0') zoomTo(1, x, y);
    else if (e.key === 'f' || e.key === 'F') fullScreen();
    else return;
    e.preventDefault();
  };

  const fullScreen = () => {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else if (document.fullscreenEnabled) frame.requestFullscreen().catch(() => {});
  };

  // A swipe steps, unless the picture is zoomed; two taps close together
  // zoom in there, or back out.
  let tappedAt = -1e9;
  const touches = () => {
    let touch = null, lastTap = null;
    stage.addEventListener('touchstart', e => {
      touch = e.touches.length === 1 ? e.touches[0] : null;
    }, {passive: true});
    stage.addEventListener('touchend', e => {
      const t = e.changedTouches[0];
      if (!touch || !t || e.target.closest('button')) return;
      const dx = t.clientX - touch.clientX, dy = t.clientY - touch.clientY;
      touch = null;
      if (Math.abs(dx) < 10 && Math.abs(dy) < 10) {
        const now = performance.now();
        if (lastTap && now - lastTap.at < 350 && Math.hypot(t.clientX - lastTap.x, t.clientY - lastTap.y) < 40) {
          toggleZoom(t);
          tappedAt = now;
          lastTap = null;
        } else {
          lastTap = {at: now, x: t.clientX, y: t.clientY};
        }
      } else if (zoom.scale === 1 && Math.abs(dx) > 40 && Math.abs(dx) > 1.5 * Math.abs(dy)) {
        step(dx < 0 ? 1 : -1);
      }
    }, {passive: true});
  };

  // One pointer drags the zoomed picture; two pinch it, about the point
  // between them.
  const pointers = () => {
    const down = new Map();
    stage.addEventListener('pointerdown', e => {
      if (e.target.closest('button') || e.button) return;
      down.set(e.pointerId, {x: e.clientX, y: e.clientY});
      stage.setPointerCapture(e.pointerId);
    });
    stage.addEventListener('pointermove', e => {
      const p = down.get(e.pointerId);
      if (!p) return;
      const other = [...down].find(([id]) => id !== e.pointerId)?.[1];
      if (other) {
        const [x, y] = onStage({clientX: (e.clientX + other.x) / 2, clientY: (e.clientY + other.y) / 2});
        const before = Math.hypot(p.x - other.x, p.y - other.y);
        zoom.x += (e.clientX - p.x) / 2;
        zoom.y += (e.clientY - p.y) / 2;
        zoomTo(zoom.scale * (before ? Math.hypot(e.clientX - other.x, e.clientY - other.y) / before : 1), x, y);
      } else if (zoom.scale > 1) {
        zoom.x += e.clientX - p.x;
        zoom.y += e.clientY - p.y;
        place();
      }
      p.x = e.clientX;
      p.y = e.clientY;
    });
    for (const type of ['pointerup', 'pointercancel'])
      stage.addEventListener(type, e => down.delete(e.pointerId));
  };

  const onStage = e => {
    const r = stage.getBoundingClientRect();
    return [e.clientX - r.left, e.clientY - r.top];
  };
  const pictureSize = i => links[i].dataset.size.split('x').map(Number);
  // Where the picture lies on the stage at scale 1, as object-fit puts it.
  const fitted = () => {
    const [w, h] = pictureSize(current);
    const room = [stage.clientWidth, stage.clientHeight];
    const s = Math.min(room[0] / w, room[1] / h);
    return {at: [(room[0] - w * s) / 2, (room[1] - h * s) / 2], size: [w * s, h * s], room};
  };
  // The zoomed picture is kept over the whole stage where it is larger
  // than the stage, and in its middle where it is smaller.
  const place = () => {
    const f = fitted(), s = zoom.scale;
    ['x', 'y'].forEach((axis, k) => {
      const at = f.at[k], size = f.size[k], room = f.room[k];
      zoom[axis] = s * size <= room ? (room - s * size) / 2 - s * at
        : Math.min(-s * at, Math.max(room - s * (at + size), zoom[axis]));
    });
    shown.style.transform = s === 1 ? '' : `translate(${zoom.x}px, ${zoom.y}px) scale(${s})`;
    viewer.classList.toggle('zoomed', s > 1);
    if (shown.complete && s * f.size[0] * (devicePixelRatio || 1) > shown.naturalWidth) loadFull();
  };
  // Zooms to scale, the point x, y of the stage staying where it is.
  const zoomTo = (scale, x, y) => {
    const [w] = pictureSize(current);
    const s = Math.min(Math.max(4, 2 * w / fitted().size[0]), Math.max(1, scale));
    zoom.x = x - (x - zoom.x) * s / zoom.scale;
    zoom.y = y - (y - zoom.y) * s / zoom.scale;
    zoom.scale = s;
    place();
  };
  const toggleZoom = e => {
    const [x, y] = onStage(e);
    zoomTo(zoom.scale > 1 ? 1 : 2.5, x, y);
  };
  const loadFull = () => {
    const i = current, a = links[i];
    if (fullAskedFor === i || shown.currentSrc === a.href) return;
    fullAskedFor = i;
    const big = new Image();
    big.addEventListener('load', () => {
      if (current !== i || !viewer.open) return;
      // The copy on screen stays behind it until it is drawn.
      shown.style.backgroundImage = 'url("' + shown.currentSrc + '")';
      shown.removeAttribute('srcset');
      shown.removeAttribute('sizes');
      shown.src = big.src;
    });
    big.src = a.href;
  };

  // The width the picture takes on this screen, as the sizes that lets
  // the browser pick the copy that fits. Past twice the screen's pixels
  // no eye sees more detail, so a phone at 3x counts as one at 2x and
  // takes the 1280 copy.
  const sizes = i => {
    const [w, h] = pictureSize(i);
    const width = Math.min(stage.clientWidth || innerWidth, (stage.clientHeight || innerHeight) * w / h);
    return Math.ceil(width * Math.min(1, 2 / (devicePixelRatio || 1))) + 'px';
  };
  const load = (img, i) => {
    const a = links[i];
    img.sizes = sizes(i);
    img.srcset = a.dataset.screen || '';
    img.src = a.dataset.screen ? a.dataset.screen.split(' ')[0] : a.href;
  };
  // The date and time as the camera's clock read them, with the clock's
  // offset from UTC when the picture records it.
  const dateText = (taken, offset) => {
    const d = new Date(taken.slice(0, 19) + 'Z');
    if (isNaN(d)) return taken.replace('T', ' ');
    return d.toLocaleString(undefined, {dateStyle: 'medium', timeStyle: 'short', timeZone: 'UTC'}) +
      (offset ? ' (UTC' + offset + ')' : '');
  };

  const show = i => {
    current = (i + n) % n;
    const a = links[current], d = a.dataset;
    const caption = items[current].querySelector('.caption')?.textContent || '';
    const thumb = a.querySelector('img');
    zoom.scale = 1;
    fullAskedFor = -1;
    shown.style.transform = '';
    viewer.classList.remove('zoomed');
    shown.removeAttribute('srcset');
    shown.style.backgroundImage = 'url("' + (thumb.currentSrc || thumb.src) + '")';
    shown.alt = thumb.alt;
    load(shown, current);
    position.textContent = (current + 1) + ' / ' + n;
    name.textContent = caption ? '' : d.name || '';
    name.hidden = !name.textContent;
    facts.textContent = [d.taken && dateText(d.taken, d.offset), d.camera, d.lens, d.exposure, caption]
      .filter(Boolean).join(' \u00b7 ');
    facts.hidden = !facts.textContent;
    full.href = download.href = a.href;
    viewer.setAttribute('aria-label', caption || d.name || thumb.alt);
    // The neighbours, loaded ahead in the size this screen takes.
    ahead.length = 0;
    for (const k of [1, -1]) {
      const img = new Image();
      load(img, (current + k + n) % n);
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
