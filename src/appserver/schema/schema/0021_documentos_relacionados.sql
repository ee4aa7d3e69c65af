-- What postings of each operation type are to the documents that name them: '04' deliveries by simple
-- remittance, billed later by one invoice; '10' entries made without an invoice, regularized later. Empty
-- for every other type.
ALTER TABLE TIPOOPERAC ADD COLUMN IDTPLANCRELAC VARCHAR(2);
