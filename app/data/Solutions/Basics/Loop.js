// Counts from one to ten.
for (var n = 1; n <= 10; n++) {
    document.write(n + " ");
}
