// The game's playing frames drawn with three.js, as a three.js program
// would draw them: one InstancedMesh per model for the fills and one for
// the rims, the spheres likewise, a GridHelper, and the text on a canvas
// texture over it all. The placements and the view of every frame are the
// game's own (queue_dump); the look is the engine's (engine/Renderer.cpp,
// ModelPass.cpp, MeshPainter.cpp, GridPass.cpp, TextPass.cpp).
import * as THREE from 'three';
import { OBJLoader } from 'three/addons/loaders/OBJLoader.js';

// The game's colours are drawn as they are given, unconverted.
THREE.ColorManagement.enabled = false;

const canvas = document.getElementById('canvas');
const pixel = new Uint8Array(4);
const colour = (rgb) => new THREE.Color(rgb[0], rgb[1], rgb[2]);
const matrix = new THREE.Matrix4();

// The painter's light: colour * (0.4 + 0.6 * max(n.l, 0)). three.js's
// Lambert divides what the lights give by pi.
const lightDirection = [0.35, 0.55, 0.75];
const ambient = 0.4, diffuse = 0.6;

// Text as the text pass lays it out, in the picture's pixels.
const textSize = 24, textMargin = 8, outline = 2;
const fontFamily = 'DejaVu Sans Mono (game)';

let renderer, gl, scene, camera, hud, hudCamera, frames;
const batches = new Map();  // per model and colour: { fills, rims }
let sphereFills, sphereRims;
const grids = new Map();  // per size, reach and orientation: a GridHelper
let text;

const modelFile = (name) => '/' + name.replace(/\\/g, '/');
const batchKey = (instance) => instance.model + ' ' + instance.colour.join(' ');

function instanced(geometry, material, capacity, order) {
  const mesh = new THREE.InstancedMesh(geometry, material, capacity);
  mesh.instanceMatrix.setUsage(THREE.DynamicDrawUsage);
  mesh.frustumCulled = false;  // the game culls nothing either
  mesh.renderOrder = order;
  mesh.count = 0;
  scene.add(mesh);
  return mesh;
}

// Rims first, flat and under everything, then the lit fills: the order
// ModelPass draws them in.
const order = { grid: 0, rim: 1, fill: 2, sphere: 3 };
const rimMaterial = (rgb) => new THREE.MeshBasicMaterial({ color: colour(rgb), depthTest: false, depthWrite: false });

async function makeBatches(loader) {
  const capacity = new Map(), first = new Map();
  for (const f of frames) {
    if (!f.instances) continue;
    const counts = new Map();
    for (const instance of f.instances) {
      const key = batchKey(instance);
      counts.set(key, (counts.get(key) || 0) + 1);
      if (!first.has(key)) first.set(key, instance);
    }
    for (const [key, n] of counts) capacity.set(key, Math.max(capacity.get(key) || 0, n));
  }
  const geometries = new Map();
  for (const [key, instance] of first) {
    const file = modelFile(instance.model);
    if (!geometries.has(file)) {
      const group = await loader.loadAsync(file);
      let geometry = null;
      group.traverse((child) => { if (child.isMesh && !geometry) geometry = child.geometry; });
      if (!geometry) throw new Error(`${file} holds no mesh`);
      geometries.set(file, geometry);
    }
    const geometry = geometries.get(file);
    const n = capacity.get(key);
    batches.set(key, {
      rims: instanced(geometry, rimMaterial(instance.rimColour), n, order.rim),
      fills: instanced(geometry, new THREE.MeshLambertMaterial({ color: colour(instance.colour) }), n, order.fill),
    });
  }
}

function placeInstances(instances) {
  for (const batch of batches.values()) batch.fills.count = batch.rims.count = 0;
  for (const instance of instances) {
    const batch = batches.get(batchKey(instance));
    const i = batch.fills.count++;
    batch.rims.count++;
    batch.fills.setMatrixAt(i, matrix.fromArray(instance.matrix));
    batch.rims.setMatrixAt(i, matrix.fromArray(instance.rim));
  }
  for (const batch of batches.values()) {
    batch.fills.instanceMatrix.needsUpdate = batch.rims.instanceMatrix.needsUpdate = true;
  }
}

function makeSpheres() {
  const capacity = Math.max(1, ...frames.map((f) => f.spheres.length));
  // The engine's sphere: 24 slices, 16 stacks, radius a quarter.
  const geometry = new THREE.SphereGeometry(0.25, 24, 16);
  sphereRims = instanced(geometry, rimMaterial([1, 1, 1]), capacity, order.rim);
  sphereFills = instanced(geometry, new THREE.MeshLambertMaterial({ color: 0xffffff }), capacity, order.sphere);
}

function placeSpheres(spheres) {
  const c = new THREE.Color();
  spheres.forEach((s, i) => {
    sphereFills.setMatrixAt(i, matrix.fromArray(s.matrix));
    sphereFills.setColorAt(i, c.setRGB(s.colour[0], s.colour[1], s.colour[2]));
    sphereRims.setMatrixAt(i, matrix.fromArray(s.rim));
    sphereRims.setColorAt(i, c.setRGB(s.rimColour[0], s.rimColour[1], s.rimColour[2]));
  });
  for (const mesh of [sphereFills, sphereRims]) {
    mesh.count = spheres.length;
    mesh.instanceMatrix.needsUpdate = true;
    if (mesh.instanceColor) mesh.instanceColor.needsUpdate = true;
  }
}

// GridPass's grid: lines a cell apart as far as the view reaches (at most
// 401 a direction), moved with the eye in whole cells. Orientation 1 is the
// xy plane, 2 the xz plane, 4 the yz plane.
const planes = [[1, 0, 1, 2], [2, 0, 2, 1], [4, 1, 2, 0]];

function placeGrids(queued, eye) {
  for (const grid of grids.values()) grid.visible = false;
  for (const g of queued) {
    for (const [bit, u, v, w] of planes) {
      if ((g.orientation & bit) === 0) continue;
      const half = Math.min(200, Math.ceil((40 + 2 * Math.abs(eye[w])) / g.size));
      const key = [g.size, half, bit, g.colour.join(' ')].join(' ');
      let grid = grids.get(key);
      if (!grid) {
        grid = new THREE.GridHelper(2 * half * g.size, 2 * half, colour(g.colour), colour(g.colour));
        if (bit === 1) grid.rotation.x = Math.PI / 2;
        if (bit === 4) grid.rotation.z = Math.PI / 2;
        grid.renderOrder = order.grid;
        grid.frustumCulled = false;
        grids.set(key, grid);
        scene.add(grid);
      }
      grid.position.set(0, 0, 0);
      grid.position.setComponent(u, Math.round(eye[u] / g.size) * g.size);
      grid.position.setComponent(v, Math.round(eye[v] / g.size) * g.size);
      grid.visible = true;
    }
  }
}

// The text lines from the top-left, white over a dark outline, drawn into
// the texture again only when they change, as the text pass lays out again.
function makeText(width, height) {
  const picture = document.createElement('canvas');
  const texture = new THREE.CanvasTexture(picture);
  texture.minFilter = texture.magFilter = THREE.LinearFilter;
  texture.generateMipmaps = false;
  const quad = new THREE.Mesh(new THREE.PlaneGeometry(1, 1),
    new THREE.MeshBasicMaterial({ map: texture, transparent: true, depthTest: false, depthWrite: false }));
  quad.frustumCulled = false;
  hud = new THREE.Scene();
  hud.add(quad);
  hudCamera = new THREE.OrthographicCamera(0, width, height, 0, -1, 1);
  text = { picture, texture, quad, shown: null, height };
}

function placeText(lines) {
  const key = JSON.stringify(lines);
  if (key === text.shown) return;
  text.shown = key;
  const spacing = Math.round(textSize * 1.17);
  const font = `${textSize}px "${fontFamily}"`;
  const c = text.picture.getContext('2d');
  c.font = font;
  const wide = Math.max(1, ...lines.map((l) => c.measureText(l.text).width));
  text.picture.width = Math.ceil(wide) + 2 * (textMargin + outline);
  text.picture.height = Math.max(1, lines.length) * spacing + 2 * textMargin;
  c.font = font;
  c.textBaseline = 'alphabetic';
  c.lineJoin = 'round';
  c.lineWidth = 2 * outline;
  lines.forEach((l, i) => {
    const y = textMargin + i * spacing + textSize;
    c.strokeStyle = '#000';
    c.strokeText(l.text, textMargin, y);
    c.fillStyle = `rgb(${l.colour.map((x) => Math.round(255 * x)).join(',')})`;
    c.fillText(l.text, textMargin, y);
  });
  text.texture.dispose();  // a new size: a new texture on the GPU
  text.texture.needsUpdate = true;
  const w = text.picture.width, h = text.picture.height;
  text.quad.scale.set(w, h, 1);
  text.quad.position.set(w / 2, text.height - h / 2, 0);
}

function placeView(f) {
  camera.projectionMatrix.fromArray(f.projection);
  camera.projectionMatrixInverse.copy(camera.projectionMatrix).invert();
  camera.matrix.fromArray(f.view).invert();
  camera.matrixWorldNeedsUpdate = true;
}

// Frame i of the game's frames (after the last, the first again), drawn
// and finished with a one-pixel read, as the game's bench frames are.
function frame(i) {
  const f = frames[i % frames.length];
  if (f.instances) placeInstances(f.instances);
  placeSpheres(f.spheres);
  placeGrids(f.grids, f.eye);
  placeText(f.lines);
  placeView(f);
  renderer.info.reset();
  renderer.clear();
  renderer.render(scene, camera);
  renderer.render(hud, hudCamera);
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
}

window.threeSetUp = async (data) => {
  frames = data.frames;
  canvas.width = data.width;
  canvas.height = data.height;
  canvas.style.width = canvas.width / devicePixelRatio + 'px';
  canvas.style.height = canvas.height / devicePixelRatio + 'px';
  renderer = new THREE.WebGLRenderer({ canvas, antialias: false, alpha: false, depth: true, stencil: false });
  renderer.setPixelRatio(1);
  renderer.setSize(data.width, data.height, false);
  renderer.outputColorSpace = THREE.LinearSRGBColorSpace;
  renderer.setClearColor(colour(data.clear), 1);
  renderer.autoClear = false;  // one clear, then the scene and the text over it
  renderer.info.autoReset = false;  // a frame's calls are both renders'
  gl = renderer.getContext();

  scene = new THREE.Scene();
  scene.add(new THREE.AmbientLight(0xffffff, ambient * Math.PI));
  const sun = new THREE.DirectionalLight(0xffffff, diffuse * Math.PI);
  sun.position.fromArray(lightDirection);
  scene.add(sun);
  camera = new THREE.Camera();
  camera.matrixAutoUpdate = false;

  const face = new FontFace(fontFamily, 'url(/assets/fonts/DejaVuSansMono.ttf)');
  document.fonts.add(await face.load());
  await makeBatches(new OBJLoader());
  makeSpheres();
  makeText(data.width, data.height);
  frame(0);
  return { calls: renderer.info.render.calls, webgl2: renderer.capabilities.isWebGL2 !== false };
};
window.threeFrame = frame;
window.threeCalls = () => renderer.info.render.calls;
window.ready = true;
