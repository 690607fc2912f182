/* see http://example.com/a?b=1 for "details */
var after = 1;
/* it's a "quoted // note */ var x = 2; // tail */
