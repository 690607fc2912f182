// line comment with a URL http://example.com
var count = 0x1F + 017 + 1.5e-3 + 3-4 + 1.2.3 + 0xZ;
var s = "say \"hi\"" + "tab\tx" + 'single';
var open = "unterminated
function f(a, b) {
    if (typeof a == "undefined" && !b) { return void 0; }
    delete a.b; x = y ? 1 : 2; z = a % b ^ c | d & e ~ f;
}
/* block comment with // line marker, "quote" and http://x.y */ after();
/* nested /* start */ code(); */
@cc_on @if (@_jscript) @end
s = "doubled \\" + "closes";
_private = $dollar + x_1;
/* unterminated block
comment to the end
