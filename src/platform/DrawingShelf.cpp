// A map under a lock: the designs may write from more than one thread.
#include "platform/DrawingShelf.h"

#include "platform/Drawing.h"
#include "platform/WorkContext.h"

void DrawingShelf::keep(const std::string& fileName, std::shared_ptr<const DXF> drawing) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_drawings[fileName] = std::move(drawing);
}

std::shared_ptr<const DXF> DrawingShelf::find(const std::string& fileName) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_drawings.find(fileName);
    return it == m_drawings.end() ? nullptr : it->second;
}

int writeResultDrawing(std::unique_ptr<DXF> drawing, const std::string& dir,
                       const std::string& fileName, DrawingShelf* shelf) {
    if (!drawing || !drawing->Write_MemDxf_To_File(resolveInDir(dir, fileName))) return 0;
    if (shelf) shelf->keep(fileName, std::move(drawing));
    return 1;
}
