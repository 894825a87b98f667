
/* Foo by Bar */

foo();


