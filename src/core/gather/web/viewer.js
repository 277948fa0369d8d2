// The album viewer: turns through the spreads drawn when the album was
// gathered (one page at a time on a narrow screen), opens a photo over the
// page at a size for the screen, and runs the photos as a slideshow with
// their sounds. Everything it needs is in LUMORA_ALBUM (lumora-web/album.js);
// nothing is fetched from elsewhere. Addresses: "#page-12" (album page 12),
// "#garde" (the flyleaf), "#photo-34" (the 34th photo), "#diaporama"; no
// address is the cover.
(function () {
  "use strict";

  var album = window.LUMORA_ALBUM;
  if (!album || !album.spreads || !album.spreads.length)
    return;

  function $(id) { return document.getElementById(id); }

  // A name of the viewer's own files as a relative address (spaces, "#",
  // "?"...). The album's photos, originals and sounds come already as
  // addresses (their names' bytes percent-encoded, whatever those bytes).
  function fileUrl(name) {
    return name.split("/").map(encodeURIComponent).join("/");
  }

  function isMidi(name) { return /\.(mid|midi|rmi)$/i.test(name); }

  // [[name, width, height]...] as a srcset of width descriptors.
  function srcset(candidates) {
    return candidates.map(function (c) { return fileUrl(c[0]) + " " + c[1] + "w"; }).join(", ");
  }

  var bookWidth = album.book[0], bookHeight = album.book[1], halfWidth = bookWidth / 2;
  var spreads = album.spreads, photos = album.photos || [];
  var albumTitle = album.title || "Album";
  var narrowQuery = window.matchMedia("(max-width: 799px), (orientation: portrait) and (max-width: 1024px)");

  // ---- What is turned: spreads on a wide screen, pages on a narrow one ----

  var narrow = false;
  var views = [];   // {spread, page}: page null for a whole spread
  var current = -1; // index in views

  function buildViews() {
    views = [];
    spreads.forEach(function (spread, index) {
      if (narrow && spread.pages && spread.pages.length)
        spread.pages.forEach(function (page) { views.push({ spread: index, page: page }); });
      else
        views.push({ spread: index, page: null });
    });
  }

  function viewOfSpread(spread) {
    for (var i = 0; i < views.length; ++i)
      if (views[i].spread === spread)
        return i;
    return 0;
  }

  // The view showing album page `page` (from 0), or -1.
  function viewOfPage(page) {
    for (var i = 0; i < views.length; ++i) {
      var view = views[i], pages = spreads[view.spread].pages || [];
      if (view.page ? view.page.page === page : pages.some(function (p) { return p.page === page; }))
        return i;
    }
    return -1;
  }

  // The view where photo `index` is drawn.
  function viewOfPhoto(index) {
    var photo = photos[index], first = viewOfSpread(photo.spread);
    if (!narrow)
      return first;
    var area = spreads[photo.spread].photos.filter(function (a) { return a.photo === index; })[0];
    for (var i = first; area && i < views.length && views[i].spread === photo.spread; ++i)
      if (views[i].page && containsCentre(views[i].page, area.rect))
        return i;
    return first;
  }

  function containsCentre(page, rect) {
    var centre = rect[0] + rect[2] / 2;
    return centre >= page.left && centre < page.left + halfWidth;
  }

  function labelOf(view) {
    return view.page ? view.page.label : spreads[view.spread].label;
  }

  // ---- Addresses and the tab's title ---------------------------------------

  // The album page (from 0) the address names, or -1.
  function pageInAddress() {
    var match = /^#page-(\d+)$/.exec(location.hash);
    return match ? +match[1] - 1 : -1;
  }

  function addressOf(view) {
    var spread = spreads[view.spread];
    var pages = view.page ? [view.page] : (spread.pages || []);
    var numbered = pages.filter(function (p) { return p.page >= 0; });
    // "#page-3" stays as it is on the spread of pages 2 and 3.
    var named = pageInAddress();
    if (numbered.some(function (p) { return p.page === named; }))
      return location.hash;
    if (numbered.length)
      return "#page-" + (numbered[0].page + 1);
    return spread.position === -1 ? "#garde" : "";
  }

  function setAddress(address, how) {
    if (how === "none" || address === location.hash || (!address && !location.hash))
      return;
    var url = address || location.pathname + location.search;
    try {
      if (how === "push")
        history.pushState({ viewer: true }, "", url);
      else
        history.replaceState(history.state, "", url);
    } catch (error) {
      // Some browsers refuse history entries for local files: the hash
      // still changes, without an entry of its own.
      if (address)
        location.replace(address);
    }
  }

  function setTitle(label) {
    document.title = albumTitle + " — " + label;
  }

  // ---- The book --------------------------------------------------------------

  // `rect` in book coordinates placed over the view's picture.
  function place(element, rect, view) {
    var left = view.page ? view.page.left : 0, width = view.page ? halfWidth : bookWidth;
    element.style.left = ((rect[0] - left) * 100 / width) + "%";
    element.style.top = (rect[1] * 100 / bookHeight) + "%";
    element.style.width = (rect[2] * 100 / width) + "%";
    element.style.height = (rect[3] * 100 / bookHeight) + "%";
  }

  function onView(view, rect) { return !view.page || containsCentre(view.page, rect); }

  // Photos and tabs are buttons (Tab reaches them, Enter opens them); the
  // corners repeat the bar's buttons for the mouse.
  function hotspot(kind, rect, view, label, action) {
    var corner = kind.indexOf("turn") === 0;
    var spot = document.createElement(corner ? "div" : "button");
    if (corner)
      spot.setAttribute("aria-hidden", "true");
    else {
      spot.type = "button";
      spot.setAttribute("aria-label", label);
    }
    spot.className = "hotspot " + kind;
    spot.title = label;
    place(spot, rect, view);
    spot.addEventListener("click", function (event) {
      event.stopPropagation();
      if (!swiped)
        action();
    });
    $("hotspots").appendChild(spot);
    return spot;
  }

  // Hotspots in the order the program tests them: turning zones first, then
  // tabs and photos above them.
  function buildHotspots(view) {
    var layer = $("hotspots"), spread = spreads[view.spread];
    while (layer.firstChild)
      layer.removeChild(layer.firstChild);
    if (spread.position === -2) {
      hotspot("turn next", album.zones.cover, view, "Ouvrir l'album", next);
      return;
    }
    var zones = [[view.spread === 1 ? album.zones.close : album.zones.previous, "turn previous",
                  view.spread === 1 ? "Fermer l'album" : "Page précédente", previous]];
    if (current < views.length - 1)
      zones.push([album.zones.next, "turn next", "Page suivante", next]);
    zones.forEach(function (zone) {
      if (onView(view, zone[0]))
        hotspot(zone[1], zone[0], view, zone[2], zone[3]);
    });
    spread.tabs.forEach(function (tab) {
      if (!onView(view, tab.rect))
        return;
      var spot = hotspot("tab", tab.rect, view, tab.name, function () { go(viewOfSpread(tab.spread), "push"); });
      spot.setAttribute("data-spread", String(tab.spread));
    });
    spread.photos.forEach(function (area) {
      if (!onView(view, area.rect))
        return;
      var spot = hotspot("photo", area.rect, view, "Photo : " + photoText(photos[area.photo]),
                         function () { openPhoto(area.photo, "push"); });
      spot.setAttribute("data-photo", String(area.photo));
    });
  }

  function candidatesOf(view) {
    return view.page ? view.page.srcset : spreads[view.spread].srcset;
  }

  // The width the picture is drawn at, in CSS pixels, for `sizes`.
  function shownWidth() {
    return Math.max(1, Math.round($("book").getBoundingClientRect().width)) + "px";
  }

  function setBookPicture(image, view) {
    var candidates = candidatesOf(view), largest = candidates[candidates.length - 1];
    image.sizes = shownWidth();
    image.srcset = srcset(candidates);
    image.src = fileUrl(largest[0]);
  }

  // The neighbours' pictures fetched ahead, at the size the book would pick.
  function preload(index) {
    if (index >= 0 && index < views.length)
      setBookPicture(new Image(), views[index]);
  }

  var firstShown = false;
  function noteFirstPage() {
    if (firstShown)
      return;
    firstShown = true;
    if (window.performance && performance.mark)
      performance.mark("lumora-first-page");
    document.body.setAttribute("data-first-page", String(Math.round(performance.now())));
    preload(current + 1);
    preload(current - 1);
  }

  function go(index, how) {
    index = Math.max(0, Math.min(views.length - 1, index));
    var direction = index > current ? "next" : "previous";
    var turned = current >= 0 && index !== current;
    current = index;
    var view = views[index], spread = spreads[view.spread];
    var picture = $("spread");
    picture.setAttribute("width", String(view.page ? halfWidth : bookWidth));
    picture.setAttribute("height", String(bookHeight));
    setBookPicture(picture, view);
    picture.alt = albumTitle + ", " + labelOf(view);
    if (turned) {
      picture.classList.remove("turn-next", "turn-previous");
      void picture.offsetWidth;  // starts the animation again
      picture.classList.add("turn-" + direction);
    }
    $("location").textContent = labelOf(view);
    document.body.setAttribute("data-spread", String(view.spread));
    document.body.setAttribute("data-view", String(index));
    $("first").disabled = $("previous").disabled = index === 0;
    $("next").disabled = $("last").disabled = index === views.length - 1;
    buildHotspots(view);
    markSection();
    setTitle(labelOf(view));
    setAddress(addressOf(view), how);
    if (firstShown) {
      preload(index + 1);
      preload(index - 1);
    }
    return spread;
  }

  function next() { go(current + 1, "push"); }
  function previous() { go(current - 1, "push"); }

  function setNarrow(on) {
    var spread = current >= 0 ? views[current].spread : 0;
    var page = current >= 0 && views[current].page ? views[current].page.page : null;
    if (page === null && pageInAddress() >= 0)
      page = pageInAddress();  // the page asked for, on its spread until now
    narrow = on;
    document.body.classList.toggle("narrow", on);
    buildViews();
    var index = page !== null && page >= 0 ? viewOfPage(page) : viewOfSpread(spread);
    current = -1;
    go(index < 0 ? viewOfSpread(spread) : index, "none");
  }

  // ---- Swipe: a horizontal stroke turns the page ------------------------------

  var swiped = false;

  function onSwipe(element, turn) {
    var start = null;
    element.addEventListener("pointerdown", function (event) {
      if (event.isPrimary)
        start = { x: event.clientX, y: event.clientY, t: Date.now() };
      swiped = false;
    });
    element.addEventListener("pointercancel", function () { start = null; });
    element.addEventListener("pointerup", function (event) {
      if (!start || !event.isPrimary)
        return;
      var dx = event.clientX - start.x, dy = event.clientY - start.y;
      start = null;
      if (Math.abs(dx) > 40 && Math.abs(dx) > 1.5 * Math.abs(dy)) {
        swiped = true;  // the click that follows the stroke opens nothing
        setTimeout(function () { swiped = false; }, 0);
        turn(dx < 0 ? 1 : -1);
      }
    });
  }

  onSwipe($("book"), function (step) { if (step > 0) next(); else previous(); });

  // ---- Sections ----------------------------------------------------------------

  var sections = [];
  spreads.forEach(function (spread) {
    spread.tabs.forEach(function (tab) {
      if (!sections.some(function (s) { return s.name === tab.name && s.spread === tab.spread; }))
        sections.push({ name: tab.name, spread: tab.spread });
    });
  });
  sections.sort(function (a, b) { return a.spread - b.spread; });
  sections.forEach(function (section) {
    var button = document.createElement("button");
    button.type = "button";
    button.textContent = section.name;
    button.addEventListener("click", function () {
      closeMenu(false);
      go(viewOfSpread(section.spread), "push");
    });
    section.button = button;
    $("sections").appendChild(button);
  });
  $("menu-box").hidden = sections.length === 0;

  function markSection() {
    var active = null, spread = views[current].spread;
    sections.forEach(function (s) { if (s.spread <= spread) active = s; });
    sections.forEach(function (s) { s.button.setAttribute("aria-current", String(s === active)); });
  }

  function openMenu() {
    if (!sections.length)
      return;
    $("sections").classList.add("open");
    $("menu").setAttribute("aria-expanded", "true");
    var chosen = sections.filter(function (s) { return s.button.getAttribute("aria-current") === "true"; })[0];
    (chosen || sections[0]).button.focus();
  }

  function closeMenu(refocus) {
    if (!$("sections").classList.contains("open"))
      return;
    $("sections").classList.remove("open");
    $("menu").setAttribute("aria-expanded", "false");
    if (refocus)
      $("menu").focus();
  }

  $("menu").addEventListener("click", function () {
    if ($("sections").classList.contains("open")) closeMenu(true); else openMenu();
  });
  document.addEventListener("click", function (event) {
    if (!$("menu-box").contains(event.target))
      closeMenu(false);
  });

  // ---- Focus kept inside a layer and given back when it closes ----------------

  var returnFocus = null;

  function focusables(layer) {
    return Array.prototype.filter.call(layer.querySelectorAll("button, a[href], input"), function (e) {
      return !e.disabled && !e.hidden && e.offsetParent !== null;
    });
  }

  function trapTab(event, layer) {
    var list = focusables(layer);
    if (!list.length)
      return;
    var at = list.indexOf(document.activeElement);
    var to = event.shiftKey ? (at <= 0 ? list.length - 1 : at - 1) : (at < 0 || at === list.length - 1 ? 0 : at + 1);
    list[to].focus();
    event.preventDefault();
  }

  function rememberFocus() {
    var active = document.activeElement;
    returnFocus = active && active !== document.body ? active : null;
    if (returnFocus && returnFocus.getAttribute("data-photo") !== null)
      returnFocus = { photo: returnFocus.getAttribute("data-photo") };
  }

  // The element that opened the layer; a photo's hotspot is found again on
  // the page now shown (the page may have been rebuilt meanwhile).
  function giveFocusBack() {
    var target = returnFocus;
    returnFocus = null;
    if (target && target.photo !== undefined)
      target = document.querySelector('.hotspot.photo[data-photo="' + target.photo + '"]');
    if (!target || !document.contains(target))
      target = $("next").disabled ? $("previous") : $("next");
    target.focus();
    focusedBack = target;
  }
  var focusedBack = null;  // focused again once full screen has been left

  // ---- Sounds: only after the user's first gesture, and never when muted ----

  var gestured = false, soundOn = true, pendingSound = null;
  var sound = $("show-sound");

  function noteGesture() {
    if (gestured)
      return;
    gestured = true;
    if (pendingSound && !$("show").hidden)
      playSound(pendingSound);
  }
  ["pointerdown", "keydown", "click"].forEach(function (kind) {
    document.addEventListener(kind, noteGesture, true);
  });

  function playSound(name) {
    pendingSound = name;
    if (!gestured || !soundOn)
      return;
    pendingSound = null;
    sound.src = name;
    var playing = sound.play();
    if (playing && playing.catch)
      playing.catch(function () {});  // no audio output, or a format the browser lacks
  }

  function stopSound() {
    sound.pause();
    sound.removeAttribute("src");
    pendingSound = null;
    waitingForSound = false;
  }

  Array.prototype.forEach.call(document.querySelectorAll(".sound-toggle"), function (button) {
    button.addEventListener("click", function () {
      soundOn = !soundOn;
      Array.prototype.forEach.call(document.querySelectorAll(".sound-toggle"), function (b) {
        b.setAttribute("aria-pressed", String(soundOn));
      });
      if (!soundOn)
        stopSound();
      else if (!$("show").hidden) {
        var photo = photos[slide];
        if (photo.sound && !isMidi(photo.sound))
          playSound(photo.sound);
      }
    });
  });

  // ---- A photo's picture for the screen ------------------------------------------

  function photoText(photo) { return photo.description || photo.name || "Photo"; }

  // The size a photo is drawn at within a box (aspect kept, never enlarged
  // past its largest copy).
  function fitted(photo, boxWidth, boxHeight) {
    var largest = photo.sizes[photo.sizes.length - 1];
    var scale = Math.min(boxWidth / largest[1], boxHeight / largest[2]);
    return Math.max(1, Math.round(largest[1] * scale));
  }

  function setPicture(image, photo, boxWidth, boxHeight) {
    image.onerror = null;
    image.removeAttribute("srcset");
    image.removeAttribute("sizes");
    image.removeAttribute("width");
    image.removeAttribute("height");
    image.alt = photoText(photo);
    if (photo.sizes && photo.sizes.length) {
      var largest = photo.sizes[photo.sizes.length - 1];
      image.setAttribute("width", String(largest[1]));
      image.setAttribute("height", String(largest[2]));
      image.sizes = fitted(photo, boxWidth, boxHeight) + "px";
      image.srcset = srcset(photo.sizes);
      image.src = fileUrl(photo.sizes[0][0]);
      return;
    }
    if (photo.picture) {
      image.onerror = function () {
        image.onerror = null;
        image.src = fileUrl(photo.preview);
      };
      image.src = photo.picture;
    } else {
      image.src = fileUrl(photo.preview);
    }
  }

  // ---- Zoom: pinch, double tap or double click, and the + and - keys ----------

  var zoom = { scale: 1, x: 0, y: 0 };

  function applyZoom() {
    var image = $("photo-image");
    image.style.transform = zoom.scale === 1 ? "" :
      "translate(" + zoom.x + "px," + zoom.y + "px) scale(" + zoom.scale + ")";
    $("photo").classList.toggle("zoomed", zoom.scale > 1);
    $("photo-zoom").setAttribute("aria-pressed", String(zoom.scale > 1));
    $("photo-zoom").textContent = zoom.scale > 1 ? "Réduire" : "Agrandir";
  }

  // Zooms to `scale` keeping the point (x, y) of the picture's box in place.
  function zoomTo(scale, x, y) {
    scale = Math.max(1, Math.min(5, scale));
    if (scale === 1) {
      zoom = { scale: 1, x: 0, y: 0 };
    } else {
      zoom.x = x - (x - zoom.x) * scale / zoom.scale;
      zoom.y = y - (y - zoom.y) * scale / zoom.scale;
      zoom.scale = scale;
    }
    applyZoom();
  }

  function zoomAtCentre(scale) {
    var image = $("photo-image");
    zoomTo(scale, image.offsetWidth / 2, image.offsetHeight / 2);
  }

  (function photoGestures() {
    var frame = $("photo-frame"), pointers = {}, pinch = null, stroke = null, lastTap = 0;
    function count() { return Object.keys(pointers).length; }
    function spread() {
      var p = Object.keys(pointers).map(function (k) { return pointers[k]; });
      return { d: Math.hypot(p[0].x - p[1].x, p[0].y - p[1].y), x: (p[0].x + p[1].x) / 2, y: (p[0].y + p[1].y) / 2 };
    }
    function local(x, y) {
      var box = $("photo-image").getBoundingClientRect();
      // Untransformed box: the transform is translate then scale from 0 0.
      return { x: x - (box.left - zoom.x), y: y - (box.top - zoom.y) };
    }
    frame.addEventListener("pointerdown", function (event) {
      pointers[event.pointerId] = { x: event.clientX, y: event.clientY };
      if (frame.setPointerCapture)
        try { frame.setPointerCapture(event.pointerId); } catch (error) {}
      if (count() === 2) {
        var s = spread();
        pinch = { d: s.d, scale: zoom.scale, at: local(s.x, s.y) };
        stroke = null;
      } else if (count() === 1) {
        stroke = { x: event.clientX, y: event.clientY, zx: zoom.x, zy: zoom.y };
      }
    });
    frame.addEventListener("pointermove", function (event) {
      if (!pointers[event.pointerId])
        return;
      pointers[event.pointerId] = { x: event.clientX, y: event.clientY };
      if (pinch && count() === 2) {
        var s = spread();
        zoomTo(pinch.scale * s.d / Math.max(pinch.d, 1), pinch.at.x, pinch.at.y);
      } else if (stroke && zoom.scale > 1) {
        zoom.x = stroke.zx + event.clientX - stroke.x;
        zoom.y = stroke.zy + event.clientY - stroke.y;
        applyZoom();
      }
    });
    function end(event) {
      if (!pointers[event.pointerId])
        return;
      delete pointers[event.pointerId];
      if (pinch) {
        if (count() === 0)
          pinch = null;
        return;
      }
      if (!stroke || event.type === "pointercancel")
        return;
      var dx = event.clientX - stroke.x, dy = event.clientY - stroke.y;
      stroke = null;
      if (zoom.scale === 1 && Math.abs(dx) > 50 && Math.abs(dx) > 1.5 * Math.abs(dy)) {
        showPhoto(openIndex + (dx < 0 ? 1 : -1));
        return;
      }
      if (Math.abs(dx) < 10 && Math.abs(dy) < 10) {
        var now = Date.now();
        if (now - lastTap < 350) {
          var at = local(event.clientX, event.clientY);
          zoomTo(zoom.scale > 1 ? 1 : 2.5, at.x, at.y);
          lastTap = 0;
        } else {
          lastTap = now;
        }
      }
    }
    frame.addEventListener("pointerup", end);
    frame.addEventListener("pointercancel", end);
  })();

  // ---- One photo over the page ----------------------------------------------------

  var openIndex = -1;

  function showPhoto(index) {
    if (!photos.length)
      return;
    openIndex = (index + photos.length) % photos.length;
    var photo = photos[openIndex];
    zoom = { scale: 1, x: 0, y: 0 };
    applyZoom();
    setPicture($("photo-image"), photo, window.innerWidth * 0.96, window.innerHeight - 120);
    $("photo-caption").textContent = photo.description || photo.name || "";
    var original = $("photo-original");
    original.hidden = !photo.original;
    if (photo.original)
      original.href = photo.original;
    $("photo").setAttribute("data-photo", String(openIndex));
    $("photo-previous").disabled = $("photo-next").disabled = photos.length < 2;
    // The book turns to the photo's page underneath.
    var view = viewOfPhoto(openIndex);
    if (view !== current)
      go(view, "none");
    setTitle(photoText(photo));
    setAddress("#photo-" + (openIndex + 1), "replace");
  }

  function openPhoto(index, how) {
    if (!(index >= 0 && index < photos.length))
      return;
    if (!$("show").hidden)
      quitSlideshow("none");
    if ($("photo").hidden) {
      rememberFocus();
      setAddress("#photo-" + (index + 1), how);
    }
    $("photo").hidden = false;
    showPhoto(index);
    $("photo-close").focus();
  }

  // `how`: "back" when the address was pushed by opening, "none" when the
  // address already moved (Back pressed).
  function closePhoto(how) {
    if ($("photo").hidden)
      return;
    $("photo").hidden = true;
    $("photo-image").removeAttribute("src");
    $("photo-image").removeAttribute("srcset");
    openIndex = -1;
    leaveLayer(how);
    giveFocusBack();
  }

  function leaveLayer(how) {
    if (how === "none")
      return;
    var view = views[current];
    if (history.state && history.state.viewer && how === "back") {
      ignoreNextPop = true;
      history.back();
    }
    else
      setAddress(addressOf(view), "replace");
    setTitle(labelOf(view));
  }

  // ---- Slideshow ---------------------------------------------------------------------

  var slide = 0, timer = 0, waitingForSound = false;

  function schedule() {
    clearTimeout(timer);
    if (!$("show-auto").checked)
      return;
    timer = setTimeout(function () {
      if (album.slideshow.soundIsMaster && !sound.paused && !sound.ended && sound.getAttribute("src")) {
        waitingForSound = true;  // the photo stays until its sound ends
        return;
      }
      advance();
    }, album.slideshow.pause * 1000);
  }

  function advance() {
    if (slide < photos.length - 1)
      showSlide(slide + 1);
    else if (album.slideshow.loop)
      showSlide(0);
    else
      $("show-auto").checked = false;
  }

  function showSlide(index) {
    slide = Math.max(0, Math.min(photos.length - 1, index));
    var photo = photos[slide], image = $("show-image");
    setPicture(image, photo, window.innerWidth, window.innerHeight - 100);
    image.classList.remove("fading");
    void image.offsetWidth;
    image.classList.add("fading");
    $("show-caption").textContent = photo.description || "";
    $("show-count").textContent = (slide + 1) + " / " + photos.length;
    $("show").setAttribute("data-photo", String(slide));
    $("show-first").disabled = $("show-previous").disabled = slide === 0;
    $("show-last").disabled = $("show-next").disabled = slide === photos.length - 1;
    stopSound();
    if (photo.sound && !isMidi(photo.sound))
      playSound(photo.sound);
    schedule();
  }

  function startSlideshow(how) {
    if (!photos.length || !$("show").hidden)
      return;
    if (!$("photo").hidden)
      closePhoto("none");
    rememberFocus();
    $("show").hidden = false;
    $("show-auto").checked = !!album.slideshow.automatic;
    var screen = $("show");
    if (gestured && screen.requestFullscreen && !document.fullscreenElement) {
      var going = screen.requestFullscreen();
      if (going && going.catch)
        going.catch(function () {});  // stays a full-window layer
    }
    setAddress("#diaporama", how);
    setTitle("Diaporama");
    showSlide(0);
    $("show-quit").focus();
  }

  function quitSlideshow(how) {
    if ($("show").hidden)
      return;
    clearTimeout(timer);
    stopSound();
    $("show").hidden = true;
    $("show-image").removeAttribute("src");
    $("show-image").removeAttribute("srcset");
    if (document.fullscreenElement && document.exitFullscreen) {
      var leaving = document.exitFullscreen();
      if (leaving && leaving.catch)
        leaving.catch(function () {});
    }
    leaveLayer(how);
    giveFocusBack();
  }

  sound.addEventListener("ended", function () {
    if (waitingForSound) {
      waitingForSound = false;
      advance();
    }
  });
  sound.addEventListener("error", function () { waitingForSound = false; });
  document.addEventListener("fullscreenchange", function () {
    if (document.fullscreenElement)
      return;
    if (!$("show").hidden)
      quitSlideshow("back");
    else if (focusedBack && document.contains(focusedBack))
      focusedBack.focus();  // leaving full screen drops the focus
    focusedBack = null;
  });
  onSwipe($("show-frame"), function (step) { showSlide(slide + step); });

  // ---- Back and Forward ------------------------------------------------------------

  var ignoreNextPop = false;

  // Shows what the address names; `how` says what to do with the history.
  function applyAddress(how) {
    var hash = decodeURIComponent(location.hash || "");
    var match;
    if ((match = /^#photo-(\d+)$/.exec(hash)) && +match[1] >= 1 && +match[1] <= photos.length) {
      if ($("photo").hidden || openIndex !== +match[1] - 1)
        openPhoto(+match[1] - 1, "none");
      return;
    }
    if (hash === "#diaporama" && photos.length) {
      startSlideshow("none");
      return;
    }
    closePhoto("none");
    quitSlideshow("none");
    var index = 0;
    if ((match = /^#page-(\d+)$/.exec(hash))) {
      var found = viewOfPage(+match[1] - 1);
      index = found < 0 ? 0 : found;
    } else if (hash === "#garde") {
      index = spreads.length > 1 && spreads[1].position === -1 ? viewOfSpread(1) : 0;
    }
    go(index, how);
  }

  window.addEventListener("popstate", function () {
    if (ignoreNextPop) {
      ignoreNextPop = false;
      return;
    }
    applyAddress("none");
  });

  // ---- Controls and keys -------------------------------------------------------------

  $("first").addEventListener("click", function () { go(0, "push"); });
  $("previous").addEventListener("click", previous);
  $("next").addEventListener("click", next);
  $("last").addEventListener("click", function () { go(views.length - 1, "push"); });
  $("slideshow").addEventListener("click", function () { startSlideshow("push"); });
  $("slideshow").disabled = photos.length === 0;
  $("photo-close").addEventListener("click", function () { closePhoto("back"); });
  $("photo-previous").addEventListener("click", function () { showPhoto(openIndex - 1); });
  $("photo-next").addEventListener("click", function () { showPhoto(openIndex + 1); });
  $("photo-zoom").addEventListener("click", function () { zoomAtCentre(zoom.scale > 1 ? 1 : 2.5); });
  $("photo-frame").addEventListener("dblclick", function (event) {
    if (event.pointerType === "touch")
      return;
    var box = $("photo-image").getBoundingClientRect();
    zoomTo(zoom.scale > 1 ? 1 : 2.5, event.clientX - (box.left - zoom.x), event.clientY - (box.top - zoom.y));
  });
  $("photo").addEventListener("click", function (event) {
    if (event.target === $("photo") || event.target === $("photo-frame"))
      closePhoto("back");
  });
  $("show-first").addEventListener("click", function () { showSlide(0); });
  $("show-previous").addEventListener("click", function () { showSlide(slide - 1); });
  $("show-next").addEventListener("click", function () { showSlide(slide + 1); });
  $("show-last").addEventListener("click", function () { showSlide(photos.length - 1); });
  $("show-auto").addEventListener("change", schedule);
  $("show-quit").addEventListener("click", function () { quitSlideshow("back"); });
  $("show-image").addEventListener("click", function () { if (!swiped) showSlide(slide + 1); });

  document.addEventListener("keydown", function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey)
      return;
    var key = event.key;
    if (!$("show").hidden) {
      if (key === "Tab") { trapTab(event, $("show")); return; }
      if (key === "Escape") quitSlideshow("back");
      else if (key === "ArrowRight" || key === "ArrowDown" || key === "PageDown") showSlide(slide + 1);
      else if (key === " " && !/^(BUTTON|INPUT)$/.test(document.activeElement.tagName)) showSlide(slide + 1);
      else if (key === "ArrowLeft" || key === "ArrowUp" || key === "PageUp") showSlide(slide - 1);
      else if (key === "Home") showSlide(0);
      else if (key === "End") showSlide(photos.length - 1);
      else return;
    } else if (!$("photo").hidden) {
      if (key === "Tab") { trapTab(event, $("photo")); return; }
      if (key === "Escape") closePhoto("back");
      else if (key === "ArrowRight" && zoom.scale === 1) showPhoto(openIndex + 1);
      else if (key === "ArrowLeft" && zoom.scale === 1) showPhoto(openIndex - 1);
      else if (key === "+" || key === "=") zoomAtCentre(zoom.scale * 1.5);
      else if (key === "-") zoomAtCentre(zoom.scale / 1.5);
      else return;
    } else if ($("sections").classList.contains("open")) {
      if (key === "Escape") closeMenu(true);
      else if (key === "ArrowDown" || key === "ArrowUp") {
        var list = sections.map(function (s) { return s.button; });
        var at = list.indexOf(document.activeElement);
        list[(at + (key === "ArrowDown" ? 1 : list.length - 1)) % list.length].focus();
      }
      else return;
    } else {
      if (key === "PageDown" || key === "ArrowRight" || key === "ArrowDown") next();
      else if (key === "PageUp" || key === "ArrowLeft" || key === "ArrowUp") previous();
      else if (key === "Home") go(0, "push");
      else if (key === "End") go(views.length - 1, "push");
      else return;
    }
    event.preventDefault();
  });

  // ---- Start --------------------------------------------------------------------------

  $("title").textContent = albumTitle;
  $("spread").addEventListener("load", noteFirstPage);
  narrow = narrowQuery.matches;
  document.body.classList.toggle("narrow", narrow);
  buildViews();
  applyAddress("replace");
  function onNarrowChange() {
    if (narrowQuery.matches !== narrow)
      setNarrow(narrowQuery.matches);
  }
  if (narrowQuery.addEventListener)
    narrowQuery.addEventListener("change", onNarrowChange);
  else if (narrowQuery.addListener)
    narrowQuery.addListener(onNarrowChange);
  window.addEventListener("resize", function () {
    var picture = $("spread");
    if (current >= 0)
      picture.sizes = shownWidth();
  });
})();
