// Shuffles of lists and grids. Both draw from the script random generator in
// a fixed order, so a game that sets the seed gets the same arrangement.
#include "runtime/ds_grid.h"
#include "runtime/ds_list.h"
#include "runtime/ds_value.h"
#include "runtime/random.h"

void CDS_List::Shuffle() {
  int64_t exchanges = static_cast<int64_t>(m_count) * 8;
  for (int64_t n = 0; n < exchanges; ++n) {
    int32_t i = Random_Int(m_count);
    int32_t j = Random_Int(m_count);
    DS_SwapSlots(&m_slots[i], &m_slots[j]);
  }
}

void CDS_Grid::Shuffle() {
  int64_t exchanges = static_cast<int64_t>(m_width) * m_height * 8;
  for (int64_t n = 0; n < exchanges; ++n) {
    int32_t x1 = Random_Int(m_width);
    int32_t x2 = Random_Int(m_width);
    int32_t y1 = Random_Int(m_height);
    int32_t y2 = Random_Int(m_height);
    DS_SwapSlots(Cell(x1, y1), Cell(x2, y2));
  }
}
