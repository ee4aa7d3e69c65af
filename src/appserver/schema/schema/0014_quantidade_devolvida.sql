-- How much of an item the returns naming its document have brought back, as last recomputed from those
-- returns (AtualizaQtdDevol); the searches of origin documents leave out documents with nothing left.
ALTER TABLE ITEMPRODUTO ADD COLUMN QTITEMDEVOL NUMERIC(15,3);
