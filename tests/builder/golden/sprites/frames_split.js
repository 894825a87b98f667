function __sprite_2() { 
__sprite_init__(this, sprite_2, 48, 40, -3, 4, 'Circle', 10, -1, 2, 3, 4, ['img/sprite_2_0.png','img/sprite_2_1.png']);
}; var sprite_2 = new __sprite_2();

function __sprite_3() { 
__sprite_init__(this, sprite_3, 16, 16, 0, 0, 'Box', 0, 0, 0, 0, 0, ['img/sprite_3_0.png']);
}; var sprite_3 = new __sprite_3();

function __sprite_4() { 
__sprite_init__(this, sprite_4, 0, 0, 0, 0, 'Box', 0, 0, 0, 0, 0, []);
}; var sprite_4 = new __sprite_4();

