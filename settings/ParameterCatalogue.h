#pragma once
// The graph captions of each ECU family: row k of family F names the
// parameter a graph shows for graphParam k (and channel k of the family).

// 34, 35, 35, 55, 23 for families 1..5; 0 for any other family.
int CatalogueSize(int family);

// The caption of row index of the family; nullptr outside the catalogue.
const char* CatalogueCaption(int family, int index);
