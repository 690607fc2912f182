/* A small script to try the editor on:
   the Functions list shows its two functions. */
function alpha(a, b) {
    var sum = a + b;       // add the two
    return sum * 2;
}

function beta() {
    var items = ["one", "two", "three"];
    for (var i = 0; i < items.length; i++) {
        document.write(items[i] + "<br>");
    }
}
