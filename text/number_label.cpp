// Number labels.
#include "text/number_label.h"

void number_to_text(float, NumberField&) {}
void draw_number(float, int, int, const char*, int) {}
