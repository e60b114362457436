#include "field/field_tables.h"

namespace vx {

FieldCells cells;
FieldObjects objects;
FieldBlocks blocks;
FieldCounts fieldCounts;

}  // namespace vx
