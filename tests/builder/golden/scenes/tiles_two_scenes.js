function __scene_b() { 
this.tiles = [
[1000000,
[background_4,
[0,0,32,32,0,0]],
[background_3,
[0,32,16,16,-16,-8]]],
[10,
[background_4,
[64,0,32,32,64,0],
[96,0,32,32,96,0]],
[background_3,
[32,0,32,32,32,0]]]];
this.objects = [
[{o:object_2, x:10, y:20, d:90}],
[{o:object_2, x:-5, y:7, a:-45}],
[{o:object_2, x:0, y:0, d:-1, a:30}]];
this.start = function() {
__room_start__(this, scene_b, 800, 600, 60, 10, 20, 30, background_3.image, 1, 0, 1, 320, 240, object_2, 5, 6);

start();
};
}
var scene_b = new __scene_b();
zm_scenes.push(scene_b);
function __scene_a() { 
this.tiles = [
[5,
[background_3,
[1,2,3,4,5,6]]]];
this.objects = [
[{o:object_2, x:1, y:2}]];
this.start = function() {
__room_start__(this, scene_a, 640, 480, 30, 0, 0, 0, null, 0, 0, 0, 640, 480, null, 50, 50);
};
}
var scene_a = new __scene_a();
zm_scenes.push(scene_a);
zm_room_to_go = scene_b;
