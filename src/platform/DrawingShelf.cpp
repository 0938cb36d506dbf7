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

void DrawingShelf::noteUnwritten(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_unwritten.push_back(path);
}

std::vector<std::string> DrawingShelf::unwritten() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_unwritten;
}

int writeResultDrawing(std::unique_ptr<DXF> drawing, const std::string& dir,
                       const std::string& fileName, DrawingShelf* shelf) {
    if (!drawing) return 0;
    const std::string path = resolveInDir(dir, fileName);
    if (!drawing->Write_MemDxf_To_File(path)) {
        if (shelf) shelf->noteUnwritten(path);
        return 0;
    }
    if (shelf) shelf->keep(fileName, std::move(drawing));
    return 1;
}
