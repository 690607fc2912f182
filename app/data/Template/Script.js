// A new script.

function main() {
}

main();
