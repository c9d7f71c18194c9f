// Varnoka: start-up and the main loop live in app/.
#include "app/mainloop.h"

int main() { return runGame(); }
