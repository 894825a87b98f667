/* ---- objects ---- */

function __instance_init__(self, OBJ, PARENT, visible, depth, SPRITE, collision, index) {
  if (zm_probe) {           // a second run of the constructor, after every section ran
    zm_probe.parent = PARENT;
    return;
  }
  self.zm_name = zm_name_of(self);
  self.zm_parent = PARENT || null;
  self.zm_visible = visible;
  self.zm_depth = depth;
  self.zm_sprite = SPRITE || null;
  self.zm_collision = collision;
  self.zm_index = index;
  self.zm_oid = zm_objects.length;
  self.zm_h = null;
  self.zm_kin = null;
  self.zm_vars = [];
  self.place_meeting = zm_place_meeting_method;
  zm_Object.defineProperties(self, zm_shape_fields);
  zm_objects.push(self);
}
var zm_probe = null;

/* Parents that were defined after their child were still undefined when the
   child's constructor ran; running the constructor again now sees them. */
function zm_resolve_parents() {
  var i, def;
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    if (def.zm_parent === null && typeof def.constructor === 'function') {
      zm_probe = {parent: null};
      try { new def.constructor(); } catch (e) { zm_probe.parent = null; }
      var p = zm_probe.parent;
      zm_probe = null;
      if (p && p.zm_oid !== undefined && zm_objects[p.zm_oid] === p) def.zm_parent = p;
    }
  }
  // Break cycles: walking up from any object must end.
  for (i = 0; i < zm_objects.length; i++) {
    var seen = {};
    def = zm_objects[i];
    seen[def.zm_oid] = true;
    while (def.zm_parent) {
      if (seen[def.zm_parent.zm_oid]) {
        zm_console.warn('Zembrik: object ' + def.zm_name + ' has a parent cycle; its parent is ignored');
        def.zm_parent = null;
        break;
      }
      seen[def.zm_parent.zm_oid] = true;
      def = def.zm_parent;
    }
  }
  // zm_kin[k] is true when object k is this object or one of its ancestors.
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    def.zm_kin = [];
    for (var a = def; a; a = a.zm_parent) def.zm_kin[a.zm_oid] = true;
  }
  // An event the object does not define runs its nearest ancestor's handler.
  for (i = 0; i < zm_objects.length; i++) {
    def = zm_objects[i];
    def.zm_h = [];
    for (var k = 0; k < 9; k++) {
      var h = null;
      for (var d = def; d; d = d.zm_parent) {
        var f = d[zm_event_props[k]];
        if (typeof f === 'function' && f !== zm_defaults[k]) { h = f; break; }
      }
      def.zm_h[k] = h;
    }
  }
}

