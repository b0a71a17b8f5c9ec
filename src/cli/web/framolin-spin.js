// SPDX-License-Identifier: GPL-3.0-or-later
// <framolin-spin src="NAME.json">: a 360° view of the sheets framolin-strip writes, as one ES
// module with no dependencies. Attributes: src (the manifest), lang (en or es; else the page's),
// autoplay, fps, reverse, turn (pixels of drag per turn; the element's width) and wheel (turn
// with the wheel while focused). A <script type="application/json"> child is read instead of
// fetching src, since a page opened from disk may not fetch a file beside it.

const TEXTS = {
  en: {
    view: "360° view of {0}", hint: "Drag to turn", play: "Play", pause: "Pause",
    fullScreen: "Full screen", frame: "Frame {0} of {1}", lane: "row {0} of {1}",
    noManifest: "This 360° view could not be loaded ({0}).",
    noSheet: "Part of this 360° view could not be loaded or shown ({0}).",
  },
  es: {
    view: "Vista de 360° de {0}", hint: "Arrastre para girar", play: "Reproducir", pause: "Pausa",
    fullScreen: "Pantalla completa", frame: "Fotograma {0} de {1}", lane: "fila {0} de {1}",
    noManifest: "No se pudo cargar esta vista de 360° ({0}).",
    noSheet: "No se pudo cargar o mostrar una parte de esta vista de 360° ({0}).",
  },
};

const STYLE = `
:host{display:block;position:relative;max-width:calc(var(--frame-width,640)*1px);color:#222;
  font:14px/1.4 system-ui,sans-serif}
:host([hidden]),[hidden]{display:none!important}
.stage{position:relative;aspect-ratio:var(--frame-width,4)/var(--frame-height,3);overflow:hidden;
  background:#f0f0f0;cursor:grab;touch-action:pan-y;user-select:none;-webkit-user-select:none;
  outline:none}
.stage:focus-visible{box-shadow:0 0 0 3px #1a73e8}
.dragging{cursor:grabbing}
canvas,img{position:absolute;inset:0;width:100%;height:100%;display:block}
.zoom{object-fit:cover;transition:transform .15s}
.hint{position:absolute;left:50%;bottom:10px;transform:translateX(-50%);padding:3px 12px;
  border-radius:12px;background:#0009;color:#fff;pointer-events:none;white-space:nowrap}
.progress{position:absolute;left:0;right:0;bottom:0;height:4px;background:#0002}
.progress>div{height:100%;width:0;background:#1a73e8;transition:width .2s}
.message{position:absolute;inset:0;display:flex;align-items:center;justify-content:center;
  padding:12px;text-align:center;background:#444;color:#fff}
.bar{display:flex;gap:8px;justify-content:flex-end;padding-top:6px}
button{font:inherit;padding:2px 12px}
.live{position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%)}
:host(:fullscreen){max-width:none;background:#000;display:flex;flex-direction:column;
  justify-content:center}
:host(:fullscreen) .stage{width:min(100vw,(100vh - 3em)*var(--frame-width)/var(--frame-height));
  margin:0 auto}
`;

const SHELL = `<style>${STYLE}</style>
<div class="stage" tabindex="0" role="group">
  <img class="poster" alt="" hidden><canvas role="img"></canvas><img class="zoom" alt="" hidden>
  <div class="hint"></div><div class="progress" hidden><div></div></div>
  <div class="message" role="alert" hidden></div>
</div>
<div class="bar"><button type="button" class="play" aria-pressed="false" disabled></button>
<button type="button" class="full"><svg viewBox="0 0 16 16" width="14" height="14"
aria-hidden="true"><path d="M1 6V1h5m4 0h5v5m0 4v5h-5m-4 0H1v-5" fill="none"
stroke="currentColor" stroke-width="2"/></svg></button></div>
<div class="live" aria-live="polite"></div>`;

const fill = (text, ...values) => text.replace(/\{(\d)\}/g, (_, i) => values[i]);
// Dragging this much vertically changes the lane, at least.
const kMinLanePixels = 24;
// Lines and pages of the wheel count as whole notches; pixels add up to them.
const kWheelNotch = 100;
// Sheets start loading this far before the element scrolls into view.
const kNearViewport = "300px";

class FramolinSpin extends HTMLElement {
  static get observedAttributes() {
    return ["lang"];
  }

  constructor() {
    super();
    const root = this.attachShadow({ mode: "open" });
    root.innerHTML = SHELL;
    this.parts = {};
    for (const name of ["stage", "poster", "zoom", "hint", "progress", "message", "play",
                        "full", "live"])
      this.parts[name] = root.querySelector("." + name);
    this.parts.canvas = root.querySelector("canvas");
    this.angle = 0;
    this.laneIndex = 0;
    this.ready = false; // every sheet is in and shows
    this.failed = false;
    this.touched = false; // the user has turned it
    this.timer = null;
    this.pointers = new Map();
    this.wheelRest = 0;
    this.bind();
  }

  connectedCallback() {
    if (!this.started) {
      this.started = true;
      this.start();
    }
    this.texts();
  }

  disconnectedCallback() {
    this.pause();
    if (this.observer) this.observer.disconnect();
  }

  attributeChangedCallback() {
    if (this.parts) this.texts();
  }

  // The frame shown, from 0, counted over all lanes as the manifest does.
  get frame() {
    return this.laneIndex * (this.manifest ? this.manifest.framesPerLane : 0) + this.angle;
  }

  get lane() {
    return this.laneIndex;
  }

  get playing() {
    return this.timer !== null;
  }

  get t() {
    const lang = (this.closest("[lang]")?.lang || navigator.language || "en").toLowerCase();
    return TEXTS[lang.slice(0, 2)] || TEXTS.en;
  }

  texts() {
    const t = this.t;
    const p = this.parts;
    const label = fill(t.view, this.viewName || "");
    p.stage.setAttribute("aria-label", label);
    p.canvas.setAttribute("aria-label", label);
    p.poster.alt = label;
    p.hint.textContent = t.hint;
    p.play.textContent = this.playing ? t.pause : t.play;
    p.full.title = t.fullScreen;
    p.full.setAttribute("aria-label", t.fullScreen);
    p.full.hidden = !document.fullscreenEnabled;
    if (this.error) p.message.textContent = fill(t[this.error[0]], this.error[1]);
  }

  async start() {
    const src = this.getAttribute("src") || "";
    this.base = new URL(src || ".", document.baseURI);
    this.viewName = decodeURIComponent(src.split("/").pop().replace(/\.json$/i, ""));
    let m;
    try {
      const inline = this.querySelector('script[type="application/json"]');
      if (inline) {
        m = JSON.parse(inline.textContent);
      } else {
        const response = await fetch(this.base);
        if (!response.ok) throw new Error(response.status + " " + response.statusText);
        m = await response.json();
      }
      if (m.version !== 1 || !(m.frames > 0) || !(m.frameWidth > 0) || !m.sheets?.length)
        throw new Error("not a version 1 manifest");
    } catch (error) {
      this.fail("noManifest", src + ": " + error.message);
      return;
    }
    m.lanes = m.lanes || 1;
    m.framesPerLane = m.framesPerLane || m.frames / m.lanes;
    this.manifest = m;
    if (m.title) this.viewName = m.title;
    this.texts();
    this.style.setProperty("--frame-width", m.frameWidth);
    this.style.setProperty("--frame-height", m.frameHeight);
    // Twice the pixels where the screen has them and the manifest offers them.
    const sharp = devicePixelRatio >= 1.5 && m.sheets2x?.length;
    this.scale = sharp ? 2 : 1;
    this.sheets = (sharp ? m.sheets2x : m.sheets).map((data) => ({ data, image: null }));
    const canvas = this.parts.canvas;
    canvas.width = m.frameWidth * this.scale;
    canvas.height = m.frameHeight * this.scale;
    this.context = canvas.getContext("2d");
    if (m.poster?.file) {
      this.parts.poster.src = this.url(m.poster.file);
      this.parts.poster.hidden = false;
    }
    this.observer = new IntersectionObserver((entries) => {
      if (!entries.some((entry) => entry.isIntersecting)) return;
      this.observer.disconnect();
      this.loadSheets();
    }, { rootMargin: kNearViewport });
    this.observer.observe(this);
  }

  url(file) {
    return new URL(file, this.base).href;
  }

  sheetOf(frame) {
    return this.sheets.find((s) => frame < s.data.firstFrame + s.data.frameCount);
  }

  // The sheet of the starting frame first, so the view can be turned before the rest are in.
  async loadSheets() {
    const first = this.sheetOf(this.frame);
    const order = [first, ...this.sheets.filter((s) => s !== first)];
    const bytes = (s) => s.data.bytes || 1;
    const total = order.reduce((sum, s) => sum + bytes(s), 0);
    let done = 0;
    const bar = this.parts.progress;
    bar.hidden = false;
    for (const sheet of order) {
      if (this.failed || !this.isConnected) return;
      const image = new Image();
      image.src = this.url(sheet.data.file);
      try {
        await image.decode();
      } catch {
        // Loads that fail and pictures the browser cannot decode end here.
      }
      // A browser may report a picture it could not decode as loaded, with no size.
      if (!image.naturalWidth || image.naturalWidth < (sheet.data.width || 0)
          || image.naturalHeight < (sheet.data.height || 0)) {
        this.fail("noSheet", sheet.data.file);
        return;
      }
      sheet.image = image;
      done += bytes(sheet);
      bar.firstElementChild.style.width = (100 * done / total) + "%";
      this.draw();
    }
    bar.hidden = true;
    this.ready = true;
    this.parts.play.disabled = this.manifest.framesPerLane < 2;
    this.dispatchEvent(new Event("load"));
    const still = matchMedia("(prefers-reduced-motion: reduce)").matches;
    if (this.hasAttribute("autoplay") && !still && !this.touched) this.play();
  }

  draw() {
    const sheet = this.sheetOf(this.frame);
    if (!sheet?.image || this.failed) return; // kept until its sheet is in
    const w = this.manifest.frameWidth * this.scale;
    const h = this.manifest.frameHeight * this.scale;
    const at = this.frame - sheet.data.firstFrame;
    const column = at % sheet.data.columns;
    const row = Math.floor(at / sheet.data.columns);
    this.context.drawImage(sheet.image, column * w, row * h, w, h, 0, 0, w, h);
    this.parts.poster.hidden = true;
  }

  fail(key, what) {
    this.failed = true;
    this.error = [key, what];
    this.pause();
    this.parts.play.disabled = true;
    this.parts.progress.hidden = true;
    this.parts.hint.hidden = true;
    this.parts.message.hidden = false;
    this.texts();
    this.dispatchEvent(new Event("error"));
  }

  // Turns to `angle` of `lane`, wrapping the angle and keeping the lane in range.
  show(angle, lane = this.laneIndex) {
    const m = this.manifest;
    if (!m) return;
    const n = m.framesPerLane;
    this.angle = ((angle % n) + n) % n;
    this.laneIndex = Math.min(Math.max(lane, 0), m.lanes - 1);
    if (this.zoomed) this.unzoom();
    this.draw();
  }

  // A turn by the user's hand: stops playing and is announced once the hand rests.
  turn(angle, lane) {
    if (this.failed) return;
    this.touched = true;
    this.parts.hint.hidden = true;
    this.pause();
    this.show(angle, lane);
    clearTimeout(this.announceTimer);
    this.announceTimer = setTimeout(() => {
      const m = this.manifest;
      let text = fill(this.t.frame, this.angle + 1, m.framesPerLane);
      if (m.lanes > 1) text += ", " + fill(this.t.lane, this.laneIndex + 1, m.lanes);
      this.parts.live.textContent = text;
    }, 400);
  }

  get direction() {
    return this.hasAttribute("reverse") ? -1 : 1;
  }

  play() {
    if (this.timer || !this.ready || this.failed || this.manifest.framesPerLane < 2) return;
    const fps = Number(this.getAttribute("fps")) || this.manifest.fps || 12;
    this.timer = setInterval(() => this.show(this.angle + this.direction), 1000 / fps);
    this.playButton();
  }

  pause() {
    clearInterval(this.timer);
    this.timer = null;
    this.playButton();
  }

  playButton() {
    this.parts.play.textContent = this.playing ? this.t.pause : this.t.play;
    this.parts.play.setAttribute("aria-pressed", String(this.playing));
  }

  // Zoom shows the current angle's own zoom file, enlarged around the point at (x, y).
  zoomAt(x, y) {
    const zoom = this.manifest?.zoom;
    if (!zoom?.files?.[this.frame]) return;
    const image = this.parts.zoom;
    image.src = this.url(zoom.files[this.frame]);
    this.zoomed = true;
    this.pause();
    image.hidden = false;
    image.style.transformOrigin = `${x}px ${y}px`;
    image.style.transform = `scale(${Math.min(Math.max(zoom.width / this.manifest.frameWidth,
                                                       1.5), 4)})`;
  }

  unzoom() {
    this.zoomed = false;
    this.parts.zoom.hidden = true;
    this.parts.zoom.style.transform = "";
  }

  bind() {
    const { stage, play, full } = this.parts;
    const point = (event) => {
      const box = stage.getBoundingClientRect();
      return [event.clientX - box.left, event.clientY - box.top];
    };
    play.addEventListener("click", () => (this.playing ? this.pause() : this.play()));
    full.addEventListener("click", () => {
      if (document.fullscreenElement === this) document.exitFullscreen();
      else this.requestFullscreen?.().catch(() => {});
    });
    stage.addEventListener("pointerdown", (event) => {
      if (event.button !== 0 || !this.manifest) return;
      this.pointers.set(event.pointerId, point(event));
      stage.setPointerCapture(event.pointerId);
      stage.focus({ preventScroll: true });
      this.parts.hint.hidden = true;
      this.pause(); // a hand on the object stops it
      if (this.pointers.size === 2) {
        const [a, b] = [...this.pointers.values()];
        this.pinch = Math.hypot(a[0] - b[0], a[1] - b[1]);
        this.drag = null;
        return;
      }
      this.drag = { id: event.pointerId, x: event.clientX, y: event.clientY,
                    angle: this.angle, lane: this.laneIndex };
      stage.classList.add("dragging");
      if (event.pointerType === "mouse") event.preventDefault(); // no text selection
    });
    stage.addEventListener("pointermove", (event) => {
      if (!this.pointers.has(event.pointerId)) return;
      this.pointers.set(event.pointerId, point(event));
      if (this.pinch && this.pointers.size === 2) {
        const [a, b] = [...this.pointers.values()];
        const ratio = Math.hypot(a[0] - b[0], a[1] - b[1]) / this.pinch;
        if (ratio > 1.25 && !this.zoomed) this.zoomAt((a[0] + b[0]) / 2, (a[1] + b[1]) / 2);
        if (ratio < 0.8 && this.zoomed) this.unzoom();
        return;
      }
      const drag = this.drag;
      if (!drag || event.pointerId !== drag.id) return;
      if (this.zoomed) {
        this.parts.zoom.style.transformOrigin = point(event).map((v) => v + "px").join(" ");
        return;
      }
      const box = stage.getBoundingClientRect();
      const turn = Number(this.getAttribute("turn")) || box.width;
      const m = this.manifest;
      const steps = Math.trunc((event.clientX - drag.x) * m.framesPerLane / turn);
      const lanePixels = Math.max(box.height / m.lanes, kMinLanePixels);
      const lanes = m.lanes > 1 ? Math.trunc((event.clientY - drag.y) / lanePixels) : 0;
      const angle = drag.angle + steps * this.direction;
      if (angle !== this.angle || drag.lane + lanes !== this.laneIndex)
        this.turn(angle, drag.lane + lanes);
    });
    const end = (event) => {
      this.pointers.delete(event.pointerId);
      if (this.pointers.size < 2) this.pinch = 0;
      if (this.drag?.id === event.pointerId) this.drag = null;
      stage.classList.remove("dragging");
    };
    stage.addEventListener("pointerup", end);
    stage.addEventListener("pointercancel", end);
    stage.addEventListener("dblclick", (event) => {
      if (this.zoomed) this.unzoom();
      else this.zoomAt(...point(event));
    });
    stage.addEventListener("wheel", (event) => {
      // Only when asked and focused: otherwise the wheel scrolls the page it is on.
      if (!this.hasAttribute("wheel") || this.shadowRoot.activeElement !== stage
          || !this.manifest)
        return;
      this.wheelRest += event.deltaMode === 0 ? event.deltaY
                                              : Math.sign(event.deltaY) * kWheelNotch;
      const steps = Math.trunc(this.wheelRest / kWheelNotch);
      this.wheelRest -= steps * kWheelNotch;
      if (steps) this.turn(this.angle + steps * this.direction);
      event.preventDefault();
    }, { passive: false });
    stage.addEventListener("keydown", (event) => {
      const m = this.manifest;
      if (!m || event.altKey || event.ctrlKey || event.metaKey) return;
      const d = this.direction;
      const keys = {
        ArrowRight: () => this.turn(this.angle + d),
        ArrowLeft: () => this.turn(this.angle - d),
        Home: () => this.turn(0),
        End: () => this.turn(m.framesPerLane - 1),
        " ": () => (this.playing ? this.pause() : this.play()),
        Escape: this.zoomed ? () => this.unzoom() : null,
        // With one lane, up and down keep scrolling the page.
        ArrowUp: m.lanes > 1 ? () => this.turn(this.angle, this.laneIndex - 1) : null,
        ArrowDown: m.lanes > 1 ? () => this.turn(this.angle, this.laneIndex + 1) : null,
      };
      if (!keys[event.key]) return;
      keys[event.key]();
      event.preventDefault();
    });
  }
}

if (!customElements.get("framolin-spin")) customElements.define("framolin-spin", FramolinSpin);
export { FramolinSpin };
