#pragma once

// Tells the in-game hints that one of their numbered moments has come (1: a customer served, 6: the
// delivery button used). Nothing listens until the hints are built.
void RaiseHint(int trigger);
