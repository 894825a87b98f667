function __scene_5() { 
this.tiles = [
[10,
[background_3,
[8,0,8,8,8,0]]]];
this.objects = [
[{o:object_2, x:3, y:4}]];
this.start = function() {
__room_start__(this, scene_5, 640, 480, 30, 0, 0, 0, null, 0, 0, 0, 640, 480, null, 50, 50);
};
}
var scene_5 = new __scene_5();
zm_scenes.push(scene_5);
zm_room_to_go = scene_5;
