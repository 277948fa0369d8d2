// The album viewer: turns through the spreads drawn when the album was
// gathered, opens a photo over the page, and runs the photos as a
// slideshow with their sounds. Everything it needs is in LUMORA_ALBUM
// (lumora-web/album.js); nothing is fetched from elsewhere.
(function () {
  "use strict";

  var album = window.LUMORA_ALBUM;
  if (!album || !album.spreads || !album.spreads.length)
    return;

  function $(id) { return document.getElementById(id); }

  // Names in the album folder as relative addresses (spaces, "#", "?"...).
  function fileUrl(name) {
    return name.split("/").map(encodeURIComponent).join("/");
  }

  function isMidi(name) { return /\.(mid|midi|rmi)$/i.test(name); }

  var bookWidth = album.book[0], bookHeight = album.book[1];
  var spreads = album.spreads, photos = album.photos || [];
  var current = 0;

  // ---- The book --------------------------------------------------------

  function place(element, rect) {
    element.style.left = (rect[0] * 100 / bookWidth) + "%";
    element.style.top = (rect[1] * 100 / bookHeight) + "%";
    element.style.width = (rect[2] * 100 / bookWidth) + "%";
    element.style.height = (rect[3] * 100 / bookHeight) + "%";
  }

  function hotspot(kind, rect, title, action) {
    var spot = document.createElement("div");
    spot.className = "hotspot " + kind;
    spot.title = title;
    place(spot, rect);
    spot.addEventListener("click", function (event) {
      event.stopPropagation();
      action();
    });
    $("hotspots").appendChild(spot);
    return spot;
  }

  // Hotspots in the order the program tests them: turning zones first,
  // then tabs and photos above them.
  function buildHotspots(spread, index) {
    var layer = $("hotspots");
    while (layer.firstChild)
      layer.removeChild(layer.firstChild);
    var last = spreads.length - 1;
    if (spread.position === -2) {
      hotspot("turn next", album.zones.cover, "Ouvrir l'album", next);
      return;
    }
    if (index === 1)
      hotspot("turn previous", album.zones.close, "Fermer l'album", previous);
    else
      hotspot("turn previous", album.zones.previous, "Page précédente", previous);
    if (index < last)
      hotspot("turn next", album.zones.next, "Page suivante", next);
    spread.tabs.forEach(function (tab) {
      var spot = hotspot("tab", tab.rect, tab.name, function () { show(tab.spread); });
      spot.setAttribute("data-spread", String(tab.spread));
    });
    spread.photos.forEach(function (area) {
      var photo = photos[area.photo];
      var spot = hotspot("photo", area.rect, photo.description || "Voir la photo",
                         function () { openPhoto(area.photo); });
      spot.setAttribute("data-photo", String(area.photo));
    });
  }

  function preload(index) {
    if (index >= 0 && index < spreads.length)
      new Image().src = fileUrl(spreads[index].picture);
  }

  function show(index) {
    index = Math.max(0, Math.min(spreads.length - 1, index));
    current = index;
    var spread = spreads[index];
    var picture = $("spread");
    picture.src = fileUrl(spread.picture);
    picture.alt = spread.label;
    $("location").textContent = spread.label;
    document.body.setAttribute("data-spread", String(index));
    $("first").disabled = $("previous").disabled = index === 0;
    $("next").disabled = $("last").disabled = index === spreads.length - 1;
    buildHotspots(spread, index);
    markSection();
    preload(index + 1);
    preload(index - 1);
  }

  function next() { show(current + 1); }
  function previous() { show(current - 1); }

  // ---- Sections ----------------------------------------------------------

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
    button.addEventListener("click", function () { show(section.spread); });
    section.button = button;
    $("sections").appendChild(button);
  });

  function markSection() {
    var active = null;
    sections.forEach(function (s) { if (s.spread <= current) active = s; });
    sections.forEach(function (s) { s.button.setAttribute("aria-current", String(s === active)); });
  }

  // ---- One photo over the page ------------------------------------------

  // A photo's picture and sound come already as addresses (their names'
  // bytes percent-encoded), with their names to show beside them.
  function setPicture(image, photo) {
    image.onerror = null;
    if (photo.picture) {
      image.onerror = function () {
        image.onerror = null;
        image.src = fileUrl(photo.preview);
      };
      image.src = photo.picture;
    } else {
      image.src = fileUrl(photo.preview);
    }
    image.alt = photo.description || photo.pictureName || "";
  }

  function openPhoto(index) {
    var photo = photos[index];
    setPicture($("photo-image"), photo);
    $("photo-caption").textContent = photo.description;
    $("photo").hidden = false;
    $("photo").setAttribute("data-photo", String(index));
    $("photo-close").focus();
  }

  function closePhoto() {
    $("photo").hidden = true;
    $("photo-image").removeAttribute("src");
  }

  // ---- Slideshow -----------------------------------------------------------

  var slide = 0, timer = 0, waitingForSound = false;
  var sound = $("show-sound");

  function stopSound() {
    sound.pause();
    sound.removeAttribute("src");
    waitingForSound = false;
  }

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
    var photo = photos[slide];
    setPicture($("show-image"), photo);
    $("show-caption").textContent = photo.description;
    $("show-count").textContent = (slide + 1) + " / " + photos.length;
    $("show").setAttribute("data-photo", String(slide));
    stopSound();
    if (photo.sound && !isMidi(photo.sound)) {
      sound.src = photo.sound;
      var playing = sound.play();
      if (playing && playing.catch)
        playing.catch(function () {});  // no audio output, or a format the browser lacks
    }
    schedule();
  }

  function startSlideshow() {
    if (!photos.length)
      return;
    $("show").hidden = false;
    $("show-auto").checked = !!album.slideshow.automatic;
    var screen = $("show");
    if (screen.requestFullscreen && !document.fullscreenElement) {
      var going = screen.requestFullscreen();
      if (going && going.catch)
        going.catch(function () {});  // stays a full-window layer
    }
    showSlide(0);
    $("show-quit").focus();
  }

  function quitSlideshow() {
    clearTimeout(timer);
    stopSound();
    $("show").hidden = true;
    $("show-image").removeAttribute("src");
    if (document.fullscreenElement && document.exitFullscreen) {
      var leaving = document.exitFullscreen();
      if (leaving && leaving.catch)
        leaving.catch(function () {});
    }
  }

  sound.addEventListener("ended", function () {
    if (waitingForSound) {
      waitingForSound = false;
      advance();
    }
  });
  sound.addEventListener("error", function () { waitingForSound = false; });
  document.addEventListener("fullscreenchange", function () {
    if (!document.fullscreenElement && !$("show").hidden)
      quitSlideshow();
  });

  // ---- Controls and keys -----------------------------------------------

  $("first").addEventListener("click", function () { show(0); });
  $("previous").addEventListener("click", previous);
  $("next").addEventListener("click", next);
  $("last").addEventListener("click", function () { show(spreads.length - 1); });
  $("slideshow").addEventListener("click", startSlideshow);
  $("slideshow").disabled = photos.length === 0;
  $("photo-close").addEventListener("click", closePhoto);
  $("photo").addEventListener("click", function (event) {
    if (event.target === $("photo"))
      closePhoto();
  });
  $("show-first").addEventListener("click", function () { showSlide(0); });
  $("show-previous").addEventListener("click", function () { showSlide(slide - 1); });
  $("show-next").addEventListener("click", function () { showSlide(slide + 1); });
  $("show-last").addEventListener("click", function () { showSlide(photos.length - 1); });
  $("show-auto").addEventListener("change", schedule);
  $("show-quit").addEventListener("click", quitSlideshow);
  $("show-image").addEventListener("click", function () { showSlide(slide + 1); });

  document.addEventListener("keydown", function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey)
      return;
    var key = event.key;
    if (!$("show").hidden) {
      if (key === "Escape") quitSlideshow();
      else if (key === "ArrowRight" || key === "ArrowDown" || key === "PageDown" || key === " ") showSlide(slide + 1);
      else if (key === "ArrowLeft" || key === "ArrowUp" || key === "PageUp") showSlide(slide - 1);
      else if (key === "Home") showSlide(0);
      else if (key === "End") showSlide(photos.length - 1);
      else return;
    } else if (!$("photo").hidden) {
      if (key === "Escape") closePhoto();
      else return;
    } else {
      if (key === "PageDown" || key === "ArrowRight" || key === "ArrowDown") next();
      else if (key === "PageUp" || key === "ArrowLeft" || key === "ArrowUp") previous();
      else if (key === "Home") show(0);
      else if (key === "End") show(spreads.length - 1);
      else return;
    }
    event.preventDefault();
  });

  document.title = album.title || "Album";
  $("title").textContent = album.title || "Album";
  show(0);
})();
