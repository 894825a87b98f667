function __sprite_2() { 
__sprite_init__(this, sprite_2, 8, 8, 0, 0, 'Box', 0, 0, 0, 0, 0, ['it\'s\\/sprite_2_0.png']);
}; var sprite_2 = new __sprite_2();

