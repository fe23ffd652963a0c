#pragma once

// Tells the in-game hints that one of their numbered moments has come (1: a customer served, 6: the
// delivery button used, 13: the recipe panel, the kitchen's own moments): the hint manager is asked
// for a hint of that trigger.
void RaiseHint(int trigger);
