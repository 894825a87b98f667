/* A resource's variable is still undefined while its constructor runs, so
   its name comes from the constructor ("__name"). */
function zm_name_of(self) {
  var n = self.constructor && self.constructor.name ? self.constructor.name : '';
  return n.indexOf('__') === 0 ? n.substring(2) : n;
}

/* Image and audio files are addressed relative to the page; each path
   segment is percent-encoded so that blanks, '#' or '%' in file names load. */
function zm_url(path) {
  var parts = zm_String(path).split('/');
  for (var i = 0; i < parts.length; i++) {
    if (parts[i] !== '..' && parts[i] !== '.') parts[i] = zm_encode(parts[i]);
  }
  return parts.join('/');
}

var zm_images_pending = 0;
var zm_images = [];
function zm_load_image(path) {
  var img = new zm_Image();
  zm_images_pending++;
  img.onload = img.onerror = function () {
    img.onload = img.onerror = null;
    zm_images_pending--;
    if (zm_images_pending === 0 && zm_boot_waiting) zm_start_game();
  };
  img.src = zm_url(path);
  zm_images.push(img);
  return img;
}
function zm_image_ready(img) {
  return img && img.complete && img.naturalWidth > 0;
}

function __sprite_init__(self, N, w, h, cx, cy, shape, radius, left, right, top, bottom, frames) {
  self.zm_name = zm_name_of(self);
  self.zm_w = w;
  self.zm_h = h;
  self.zm_cx = cx;
  self.zm_cy = cy;
  self.zm_circle = zm_String(shape).toLowerCase() === 'circle';
  self.zm_radius = radius;
  self.zm_left = left;
  self.zm_right = right;
  self.zm_top = top;
  self.zm_bottom = bottom;
  self.zm_frames = [];
  for (var i = 0; frames && i < frames.length; i++) self.zm_frames.push(zm_load_image(frames[i]));
  zm_sprites.push(self);
}

function __background_init__(self, N, url) {
  self.zm_name = zm_name_of(self);
  self.image = zm_load_image(url);
  zm_backgrounds.push(self);
}

function __font_init__(self, N, family, size, bold, italic) {
  self.zm_name = zm_name_of(self);
  self.zm_size = size;
  self.zm_css = (italic == 1 ? 'italic ' : '') + (bold == 1 ? 'bold ' : '') + size + 'px "' +
                zm_String(family).replace(/["\\]/g, '') + '"';
  zm_fonts.push(self);
}

