#pragma once

#include "pictures/picture_upload.h"

#include <QObject>

#include <memory>

namespace lw {

// Makes the seller's pictures ready for the web before they are uploaded (webPlan): on threads of
// its own, one picture per core, into a private folder of its own. The seller's files are only read.
class PicturePreparation : public QObject
{
    Q_OBJECT
public:
    explicit PicturePreparation(QObject* parent = nullptr);
    ~PicturePreparation() override;

    // Prepares the pictures of the slots among `items` (the emoticon and letter pictures go as they
    // are). finished() follows every start, also after abort(), never before start returns.
    void start(const QList<UploadItem>& items, int longestSide);
    // Stops the work under way within a moment; finished() says it was aborted.
    void abort();
    bool isRunning() const { return m_run != nullptr; }
    // What to send once finished: a prepared picture's local path is its web copy, whose file name
    // is its remote name. The others are as they were given.
    const QList<UploadItem>& items() const { return m_items; }
    // Removes the web copies; the upload no longer needs them.
    void discard();

Q_SIGNALS:
    // Picture `number` (from 1) of `count` is being prepared.
    void pictureStarted(int number, int count);
    void finished(bool ok, const QString& title, const QString& text);

private:
    class Run;
    void runEnded();

    std::unique_ptr<Run> m_run;
    QList<UploadItem> m_items;
    QString m_folder;
};

// The message of an abort while the pictures are being prepared.
QString preparationAbortedText();

} // namespace lw
