function __background_2() { 
__background_init__(this, background_2, 'img/sky.png')}; var background_2 = new __background_2();

function __background_4() { 
__background_init__(this, background_4, 'img/back\\slash\r\n.png')}; var background_4 = new __background_4();

