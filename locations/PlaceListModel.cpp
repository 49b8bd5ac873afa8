#include "PlaceListModel.h"

#include "storage/Win1252.h"

#include <algorithm>
#include <cstring>

QCollator LocationCollator() {
    QLocale locale;
    // English has no tailoring of its own: it is the language-neutral Unicode order.
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    return collator;
}

QByteArray LocationSortKey(const QString& text) {
    return UpperWin1252(EncodeWin1252(text));
}

QStringList SortedByLocationKey(QStringList texts) {
    std::stable_sort(texts.begin(), texts.end(), LocationCollator());
    return texts;
}

int IndexOfLocationText(const QStringList& texts, const QString& text) {
    const QByteArray key = LocationSortKey(text);
    for (int i = 0; i < texts.size(); ++i)
        if (LocationSortKey(texts[i]) == key) return i;
    return -1;
}

std::vector<int32_t> TCollationRanks::RanksOf(const std::vector<QString>& names) {
    if (const QString locale = QLocale().name(); locale != localeName_) {
        // The user's locale changed: the names met so far are collated again when next met.
        localeName_ = locale;
        collator_ = LocationCollator();
        sorted_.clear();
        rank_.clear();
    }
    std::vector<int32_t> ranks(names.size(), -1);
    std::vector<QString> unknown;
    for (size_t i = 0; i < names.size(); ++i) {
        const auto it = rank_.constFind(names[i]);
        if (it != rank_.cend())
            ranks[i] = *it;
        else
            unknown.push_back(names[i]);
    }
    if (unknown.empty()) return ranks;
    AddNames(std::move(unknown));
    for (size_t i = 0; i < names.size(); ++i)
        ranks[i] = rank_.value(names[i]);
    return ranks;
}

void TCollationRanks::AddNames(std::vector<QString> names) {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    // Sort keys make each comparison a byte comparison; the new names are then merged into those met.
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& n : names)
        keyed.emplace_back(collator_.sortKey(n), std::move(n));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    std::vector<QString> merged;
    merged.reserve(sorted_.size() + keyed.size());
    auto old = sorted_.begin();
    for (auto& [key, name] : keyed) {
        while (old != sorted_.end() && collator_.compare(*old, name) <= 0)
            merged.push_back(std::move(*old++));
        merged.push_back(std::move(name));
    }
    std::move(old, sorted_.end(), std::back_inserter(merged));
    sorted_ = std::move(merged);
    rank_.clear();
    rank_.reserve(qsizetype(sorted_.size()));
    int32_t rank = 0;
    for (size_t i = 0; i < sorted_.size(); ++i) {
        if (i > 0 && collator_.compare(sorted_[i - 1], sorted_[i]) != 0) ++rank;
        rank_.insert(sorted_[i], rank);
    }
}

TPlaceListModel::Key TPlaceListModel::KeyOf(const QString& text) {
    Key key{};
    const QByteArray bytes = EncodeWin1252(text);
    const size_t n = std::min(key.size(), size_t(bytes.size()));
    for (size_t i = 0; i < n; ++i)
        key[i] = UpperWin1252(bytes[qsizetype(i)]);
    return key;
}

void TPlaceListModel::SetPlaces(std::vector<TPlaceEntry> places) {
    beginResetModel();
    std::vector<QString> names;
    names.reserve(places.size());
    for (const TPlaceEntry& p : places)
        names.push_back(p.PlaceName);
    const std::vector<int32_t> ranks = ranks_.RanksOf(names);
    entries_.clear();
    entries_.reserve(places.size());
    for (size_t i = 0; i < places.size(); ++i)
        entries_.push_back({ranks[i], KeyOf(places[i].PlaceName), std::move(places[i])});
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Sorted& a, const Sorted& b) { return a.rank < b.rank; });
    endResetModel();
}

int TPlaceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant TPlaceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(entries_.size())) return {};
    const TPlaceEntry& e = entries_[size_t(index.row())].place;
    if (role == Qt::DisplayRole) return e.PlaceName;
    if (role == Qt::UserRole) return e.Rec.RecordIndex;
    return {};
}

std::vector<int> TPlaceListModel::FindAll(const QString& text) const {
    // The fixed keys pick the candidates; the whole names decide.
    const Key key = KeyOf(text);
    const QByteArray whole = LocationSortKey(text);
    std::vector<int> rows;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].key == key && LocationSortKey(entries_[i].place.PlaceName) == whole)
            rows.push_back(int(i));
    return rows;
}

int TPlaceListModel::Find(const QString& text) const {
    const std::vector<int> rows = FindAll(text);
    return rows.empty() ? -1 : rows.front();
}
