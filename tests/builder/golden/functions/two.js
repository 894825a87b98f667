var helper = 1;
function function_2(a, b) { 
return a + b;
}
function function_3() { 

}
