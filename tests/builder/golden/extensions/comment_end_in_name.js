/* A* /B by * /x* / */

code();

