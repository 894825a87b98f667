function __f1() { 
__font_init__(this, f1, 'Arial', 12, 0, 1)}; var f1 = new __f1();

function __font_3() { 
__font_init__(this, font_3, 'Odd\'Font\u2028\u2029', -5, 1, 0)}; var font_3 = new __font_3();

