function __object_2() {
__instance_init__(this, object_2, null, 1, 0, null, 1, 0);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = on_step_i;
this.on_end_step = on_end_step_i;
this.on_collision = function() {
with(this) {
this.other = this.place_meeting(this.x, this.y, object_3);
if(this.other != null) {
hit3();
}
this.other = this.place_meeting(this.x, this.y, object_4);
if(this.other != null) {
hit4();
}
}
};
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = function() {
if(this.image_index >= this.image_number - 1) {
with(this) {
e();
}
}
};
this.on_draw = function() {
if (this.visible == 1) {
__handle_sprite__(this);
with(this) {
d();
}
}
};
}; var object_2 = new __object_2();

function __object_3() {
__instance_init__(this, object_3, null, 1, 0, null, 1, 1);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = on_step_i;
this.on_end_step = on_end_step_i;
this.on_collision = function() {
with(this) {
}
};
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var object_3 = new __object_3();

function __object_4() {
__instance_init__(this, object_4, null, 1, 0, null, 1, 2);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = on_step_i;
this.on_end_step = on_end_step_i;
this.on_collision = on_collision_i;
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var object_4 = new __object_4();

